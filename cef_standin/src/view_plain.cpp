// The plain view: the window class's white background and no input for the
// page.
#include "browser_view.h"

namespace cef_standin {
namespace {

class PlainView : public BrowserView {
  public:
    bool HandleMessage(UINT, WPARAM, LPARAM, LRESULT&) override { return false; }
};

}  // namespace

std::unique_ptr<BrowserView> CreateBrowserView(BrowserImpl&) {
    return std::make_unique<PlainView>();
}

}  // namespace cef_standin
