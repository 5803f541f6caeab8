// A client that records what the view passes to it: navigations, requests,
// loads, key events and context menus, and takes configured keys and menu
// items.
#ifndef TESTS_CEF_VIEW_VIEW_CLIENT_H_
#define TESTS_CEF_VIEW_VIEW_CLIENT_H_

#include <windows.h>

#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "include/cef_client.h"

struct KeyRecord {
    cef_key_event_type_t type;
    int windows_key_code;
    bool pre;  // OnPreKeyEvent rather than OnKeyEvent
};

class ViewClient : public CefClient,
                   public CefLifeSpanHandler,
                   public CefLoadHandler,
                   public CefRequestHandler,
                   public CefResourceRequestHandler,
                   public CefKeyboardHandler,
                   public CefContextMenuHandler {
  public:
    // Configuration, set before use.
    int consumed_key = 0;  // key code (RAWKEYDOWN/KEYUP) and character (CHAR) OnPreKeyEvent takes
    std::vector<std::pair<int, std::string>> menu_items;  // replaces the default menu

    CefRefPtr<CefLifeSpanHandler> GetLifeSpanHandler() override { return this; }
    CefRefPtr<CefLoadHandler> GetLoadHandler() override { return this; }
    CefRefPtr<CefRequestHandler> GetRequestHandler() override { return this; }
    CefRefPtr<CefKeyboardHandler> GetKeyboardHandler() override { return this; }
    CefRefPtr<CefContextMenuHandler> GetContextMenuHandler() override { return this; }

    void OnAfterCreated(CefRefPtr<CefBrowser> browser) override;
    void OnBeforeClose(CefRefPtr<CefBrowser> browser) override;
    void OnLoadEnd(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                   int httpStatusCode) override;
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
    bool OnPreKeyEvent(CefRefPtr<CefBrowser> browser, const CefKeyEvent& event,
                       CefEventHandle os_event, bool* is_keyboard_shortcut) override;
    bool OnKeyEvent(CefRefPtr<CefBrowser> browser, const CefKeyEvent& event,
                    CefEventHandle os_event) override;
    void OnBeforeContextMenu(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                             CefRefPtr<CefContextMenuParams> params,
                             CefRefPtr<CefMenuModel> model) override;
    bool OnContextMenuCommand(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                              CefRefPtr<CefContextMenuParams> params, int command_id,
                              EventFlags event_flags) override;

    // Texts recorded under |kind|: "browse" and "load" (URLs), "request"
    // (URLs), "menu" (the default labels, then "x,y link"), "command".
    std::vector<std::string> Texts(const std::string& kind);
    std::vector<KeyRecord> Keys();
    void Forget();
    // Takes this thread's messages until |done| holds or |seconds| pass.
    bool WaitUntil(const std::function<bool()>& done, double seconds = 20);
    bool WaitForText(const std::string& kind, const std::string& fragment, double seconds = 20);
    CefRefPtr<CefBrowser> browser();

  private:
    void Add(const std::string& kind, const std::string& text);

    std::mutex mutex_;
    std::vector<std::pair<std::string, std::string>> texts_;
    std::vector<KeyRecord> keys_;
    CefRefPtr<CefBrowser> browser_;
    IMPLEMENT_REFCOUNTING(ViewClient);
};

#endif  // TESTS_CEF_VIEW_VIEW_CLIENT_H_
