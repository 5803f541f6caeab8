#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "include/cef_client.h"
#include "include/cef_context_menu_handler.h"
#include "include/cef_display_handler.h"
#include "include/cef_drag_handler.h"
#include "include/cef_jsdialog_handler.h"
#include "include/cef_keyboard_handler.h"
#include "include/cef_life_span_handler.h"
#include "include/cef_load_handler.h"
#include "include/cef_request_handler.h"
#include "include/cef_resource_request_handler.h"

// Command identifier of the developer-tools context-menu item.
constexpr int DEVTOOLS_COMMAND_ID = 26502;

// The module's runtime client: keeps the live browsers by host window, applies
// the block lists, reports loads, refused navigations, popups and page
// requests to the host windows, adds the identification headers to every
// request and offers the developer tools.
class CefClientHandler : public CefClient,
                         public CefDisplayHandler,
                         public CefLifeSpanHandler,
                         public CefLoadHandler,
                         public CefContextMenuHandler,
                         public CefKeyboardHandler,
                         public CefDragHandler,
                         public CefRequestHandler,
                         public CefJSDialogHandler,
                         public CefResourceRequestHandler {
  public:
    // Reads the versions of "libcef.dll" and "vesk2.exe" in the current directory.
    CefClientHandler();

    CefRefPtr<CefContextMenuHandler> GetContextMenuHandler() override { return this; }
    CefRefPtr<CefDisplayHandler> GetDisplayHandler() override { return this; }
    CefRefPtr<CefDragHandler> GetDragHandler() override { return this; }
    CefRefPtr<CefJSDialogHandler> GetJSDialogHandler() override { return this; }
    CefRefPtr<CefKeyboardHandler> GetKeyboardHandler() override { return this; }
    CefRefPtr<CefLifeSpanHandler> GetLifeSpanHandler() override { return this; }
    CefRefPtr<CefLoadHandler> GetLoadHandler() override { return this; }
    CefRefPtr<CefRequestHandler> GetRequestHandler() override { return this; }
    bool OnProcessMessageReceived(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                  CefProcessId source_process,
                                  CefRefPtr<CefProcessMessage> message) override;

    bool OnBeforePopup(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                       const CefString& target_url, const CefString& target_frame_name,
                       CefLifeSpanHandler::WindowOpenDisposition target_disposition,
                       bool user_gesture, const CefPopupFeatures& popupFeatures,
                       CefWindowInfo& windowInfo, CefRefPtr<CefClient>& client,
                       CefBrowserSettings& settings, CefRefPtr<CefDictionaryValue>& extra_info,
                       bool* no_javascript_access) override;
    void OnAfterCreated(CefRefPtr<CefBrowser> browser) override;
    void OnBeforeClose(CefRefPtr<CefBrowser> browser) override;

    void OnLoadEnd(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                   int httpStatusCode) override;

    void OnBeforeContextMenu(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                             CefRefPtr<CefContextMenuParams> params,
                             CefRefPtr<CefMenuModel> model) override;
    bool OnContextMenuCommand(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                              CefRefPtr<CefContextMenuParams> params, int command_id,
                              CefContextMenuHandler::EventFlags event_flags) override;

    bool OnKeyEvent(CefRefPtr<CefBrowser> browser, const CefKeyEvent& event,
                    CefEventHandle os_event) override;

    bool OnBeforeBrowse(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                        CefRefPtr<CefRequest> request, bool user_gesture,
                        bool is_redirect) override;
    CefRefPtr<CefResourceRequestHandler> GetResourceRequestHandler(
        CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, CefRefPtr<CefRequest> request,
        bool is_navigation, bool is_download, const CefString& request_initiator,
        bool& disable_default_handling) override;

    ReturnValue OnBeforeResourceLoad(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                     CefRefPtr<CefRequest> request,
                                     CefRefPtr<CefCallback> callback) override;

    // Enters this object's page-request handlers into messageHandlers.
    void RegisterMessageHandlers();
    // "CefOderRequest": posts the first argument, in the ANSI code page, to the
    // browser's host window as WM_WEB_ORDER_REQUEST.
    void OnOrderRequest(CefRefPtr<CefBrowser> browser, CefRefPtr<CefListValue> arguments);
    // Opens the developer-tools window of browser unless it is already open.
    void OpenDevTools(CefRefPtr<CefBrowser> browser);
    // The window a browser was created in: the parent of its own window.
    static HWND GetHostWindow(CefRefPtr<CefBrowser> browser);

    // The browser recorded for host, or null.
    CefRefPtr<CefBrowser> FindBrowser(HWND host) const;
    // Replaces the blocked-URL fragments of host.
    void SetBlockUrls(HWND host, std::vector<std::string> urls);

  private:
    struct HandleOrder {
        bool operator()(HWND a, HWND b) const {
            return reinterpret_cast<uintptr_t>(a) < reinterpret_cast<uintptr_t>(b);
        }
    };

    std::vector<std::string> BlockUrlsOf(HWND host) const;

    // Guards browsers and blockUrls, which CEF's UI thread and the launcher's
    // thread both reach. Never held across a call into CEF or the window system.
    mutable std::mutex tableLock;
    std::map<HWND, CefRefPtr<CefBrowser>, HandleOrder> browsers;
    std::map<HWND, std::vector<std::string>, HandleOrder> blockUrls;
    const std::string cefVersion;
    const std::string version;

    IMPLEMENT_REFCOUNTING(CefClientHandler);
};

// The process's one client handler, made on first use and kept until the
// process ends.
CefRefPtr<CefClientHandler> GetClientHandler();
