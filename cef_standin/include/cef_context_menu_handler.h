// Context menus. Called on the UI thread.
#ifndef CEF_INCLUDE_CEF_CONTEXT_MENU_HANDLER_H_
#define CEF_INCLUDE_CEF_CONTEXT_MENU_HANDLER_H_

#include "include/cef_base.h"
#include "include/cef_browser.h"
#include "include/cef_frame.h"
#include "include/cef_menu_model.h"

// Where and on what the context menu was asked for.
class CefContextMenuParams : public virtual CefBaseRefCounted {
  public:
    // Position in the browser window's client coordinates.
    virtual int GetXCoord() = 0;
    virtual int GetYCoord() = 0;
    virtual CefString GetLinkUrl() = 0;
    virtual CefString GetPageUrl() = 0;
};

class CefContextMenuHandler : public virtual CefBaseRefCounted {
  public:
    typedef cef_event_flags_t EventFlags;

    // The menu is about to show; |model| may be changed (cleared for none).
    virtual void OnBeforeContextMenu(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                     CefRefPtr<CefContextMenuParams> params,
                                     CefRefPtr<CefMenuModel> model) {}

    // Item |command_id| was chosen. Return true when handled.
    virtual bool OnContextMenuCommand(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                      CefRefPtr<CefContextMenuParams> params, int command_id,
                                      EventFlags event_flags) {
        return false;
    }
};

#endif  // CEF_INCLUDE_CEF_CONTEXT_MENU_HANDLER_H_
