// The drawing and input side of a browser window. The window procedure
// (browser_window.cpp) hands every message to the browser's view first; a
// view is made for each browser when its window exists and its page target
// is attached, and is destroyed with the window.
#ifndef CEF_STANDIN_SRC_BROWSER_VIEW_H_
#define CEF_STANDIN_SRC_BROWSER_VIEW_H_

#include <windows.h>

#include <memory>

namespace cef_standin {

class BrowserImpl;

class BrowserView {
  public:
    virtual ~BrowserView() = default;
    // A message of the browser window; return true with |result| set when
    // handled.
    virtual bool HandleMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) = 0;
};

// Made on the UI thread; |browser| outlives the view.
std::unique_ptr<BrowserView> CreateBrowserView(BrowserImpl& browser);

}  // namespace cef_standin

#endif  // CEF_STANDIN_SRC_BROWSER_VIEW_H_
