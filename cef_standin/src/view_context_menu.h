// The context menu of a browser window: what was clicked, the default items,
// and the model shown as a real popup menu.
#ifndef CEF_STANDIN_SRC_VIEW_CONTEXT_MENU_H_
#define CEF_STANDIN_SRC_VIEW_CONTEXT_MENU_H_

#include <windows.h>

#include <string>

#include "include/cef_context_menu_handler.h"

namespace cef_standin {

// Commands of the default items, with CEF's identifiers.
enum DefaultMenuCommand {
    kMenuBack = 100,
    kMenuForward = 101,
    kMenuReload = 102,
};

CefRefPtr<CefContextMenuParams> CreateContextMenuParams(POINT point, const std::string& link_url,
                                                        const std::string& page_url);

// Adds the items a page's menu has before a handler changes it.
void FillDefaultMenu(CefMenuModel& model);

// Shows |model| as a popup menu owned by |owner| at |screen_point| and waits
// for a choice: the chosen command, or 0 when none was chosen or the model is
// empty (then no menu shows).
int RunPopupMenu(HWND owner, CefMenuModel& model, POINT screen_point);

}  // namespace cef_standin

#endif  // CEF_STANDIN_SRC_VIEW_CONTEXT_MENU_H_
