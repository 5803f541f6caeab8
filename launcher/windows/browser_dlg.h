#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "cef_browser_object.h"
#include "services/order_host.h"
#include "skin/window_impl_base.h"

// Browser host window: a frameless top-level window, owned by the login or
// game window, that carries one embedded browser sized to its client area. It
// stays hidden until a page has loaded, then shows itself, and passes the
// browser module's host messages it does not handle itself to its owner.
//
// Create it with new and do not delete it: after CloseHost (or once its
// window is destroyed with its owner) the object deletes itself when its
// window's last message has been handled.
class BrowserDlg : public skin::WindowImplBase, public OrderHost {
  public:
    explicit BrowserDlg(HWND owner);
    ~BrowserDlg() override;

    // Starts a new browser on url (UTF-8) in this window; sized later by FitBrowser.
    void OpenPage(const std::string& url);
    // Navigations whose address contains one of these fragments are refused.
    void SetBlockUrls(const std::vector<std::string>& urls);
    // Sizes the browser to the client area. Returns 0.
    LRESULT FitBrowser();
    // Closes the browser normally and posts this window's close request.
    void CloseHost();
    // Runs the page's onOderResponse with text.
    void SendOrderResult(const std::wstring& text) override;

  protected:
    const wchar_t* GetWindowClassName() const override;
    std::wstring GetSkinFolder() const override;
    std::wstring GetSkinFile() const override;
    UINT GetResourceID() const override;
    LRESULT OnSize(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT HandleCustomMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    void OnFinalMessage(HWND hwnd) override;

    // Host messages of the browser module and the show timer; returns 0 and
    // never changes handled.
    LRESULT HandleBrowserMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

  private:
    void ShowLoadedPage(LPARAM timerLParam);

    // Empty until OpenPage and again after CloseHost.
    std::shared_ptr<CefBrowserObject> browser_;
    HWND owner_;
};
