#include "view_context_menu.h"

namespace cef_standin {
namespace {

class ContextMenuParams : public CefContextMenuParams {
  public:
    ContextMenuParams(POINT point, const std::string& link_url, const std::string& page_url)
        : point_(point), link_url_(link_url), page_url_(page_url) {}

    int GetXCoord() override { return point_.x; }
    int GetYCoord() override { return point_.y; }
    CefString GetLinkUrl() override { return link_url_; }
    CefString GetPageUrl() override { return page_url_; }

  private:
    const POINT point_;
    const CefString link_url_;
    const CefString page_url_;
    IMPLEMENT_REFCOUNTING(ContextMenuParams);
};

}  // namespace

CefRefPtr<CefContextMenuParams> CreateContextMenuParams(POINT point, const std::string& link_url,
                                                        const std::string& page_url) {
    return new ContextMenuParams(point, link_url, page_url);
}

void FillDefaultMenu(CefMenuModel& model) {
    model.AddItem(kMenuBack, "Back");
    model.AddItem(kMenuForward, "Forward");
    model.AddSeparator();
    model.AddItem(kMenuReload, "Reload");
}

int RunPopupMenu(HWND owner, CefMenuModel& model, POINT screen_point) {
    if (model.GetCount() == 0) return 0;
    HMENU menu = CreatePopupMenu();
    if (!menu) return 0;
    for (size_t i = 0; i < model.GetCount(); ++i) {
        if (model.GetTypeAt(i) == MENUITEMTYPE_SEPARATOR) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else {
            const std::wstring label = model.GetLabelAt(i).ToWString();
            AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(model.GetCommandIdAt(i)),
                        label.c_str());
        }
    }
    const int command =
        static_cast<int>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                        screen_point.x, screen_point.y, 0, owner, nullptr));
    DestroyMenu(menu);
    return command;
}

}  // namespace cef_standin
