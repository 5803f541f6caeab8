#include "windows/browser_dlg.h"

#include "services/ly_sdk_manager.h"
#include "web_messages.h"

namespace {

constexpr UINT kShowTimer = 1001;
constexpr UINT kShowDelayMs = 400;
constexpr UINT kSkinResourceId = 129;

// Takes back the text payload of a host message that reached nobody.
void ReleasePayload(UINT message, WPARAM wParam) {
    if (message == WM_WEB_URL_BLOCKED || message == WM_WEB_POPUP) {
        delete reinterpret_cast<std::string*>(wParam);
    }
}

}  // namespace

BrowserDlg::BrowserDlg(HWND owner) : owner_(owner) {}

BrowserDlg::~BrowserDlg() {
    if (browser_) browser_->CloseBrowser(true);
}

void BrowserDlg::OpenPage(const std::string& url) {
    browser_ = std::make_shared<CefBrowserObject>();
    browser_->CreateBrowser(GetHWND(), url, RECT{0, 0, 0, 0});
}

void BrowserDlg::SetBlockUrls(const std::vector<std::string>& urls) {
    if (browser_) browser_->SetBlockUrls(urls);
}

LRESULT BrowserDlg::FitBrowser() {
    if (!browser_) return 0;
    RECT client{};
    GetClientRect(GetHWND(), &client);
    browser_->ResizeBrowser(client);
    return 0;
}

void BrowserDlg::CloseHost() {
    // The browser object is released with the close: the browser module acts
    // on another host's browser when this one's is gone, and nothing of this
    // host may reach another page.
    if (browser_) {
        browser_->CloseBrowser(false);
        browser_.reset();
    }
    // A page load still pending shows nothing: its timer stops here, and a
    // load message still queued starts one that dies with the window.
    if (GetHWND()) KillTimer(GetHWND(), kShowTimer);
    Close(1);
}

void BrowserDlg::SendOrderResult(const std::wstring& text) {
    if (browser_) browser_->CallJSFunction(L"onOderResponse", text.c_str());
}

const wchar_t* BrowserDlg::GetWindowClassName() const { return L"MainWndClass"; }

std::wstring BrowserDlg::GetSkinFolder() const { return std::wstring(); }

std::wstring BrowserDlg::GetSkinFile() const { return L"BrowserWnd.xml"; }

UINT BrowserDlg::GetResourceID() const { return kSkinResourceId; }

LRESULT BrowserDlg::OnSize(UINT, WPARAM, LPARAM, bool&) { return FitBrowser(); }

LRESULT BrowserDlg::HandleCustomMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    return HandleBrowserMessage(message, wParam, lParam, handled);
}

void BrowserDlg::OnFinalMessage(HWND) {
    LySdkManager::Instance()->ForgetOrderHost(this);
    delete this;
}

LRESULT BrowserDlg::HandleBrowserMessage(UINT message, WPARAM wParam, LPARAM lParam, bool&) {
    // Host messages lie above WM_USER (1024); WM_USER itself is not one.
    if (message > WM_USER) {
        switch (message) {
            case WM_WEB_LOAD_END:
                FitBrowser();
                SetTimer(GetHWND(), kShowTimer, kShowDelayMs, nullptr);
                break;
            case WM_WEB_ORDER_REQUEST:
                if (wParam) {
                    std::unique_ptr<std::string> order(reinterpret_cast<std::string*>(wParam));
                    LySdkManager::Instance()->SetOrderHost(this);
                    LySdkManager::Instance()->SubmitOrder(*order);
                }
                break;
            default:
                if (!PostMessageW(owner_, message, wParam, lParam)) ReleasePayload(message, wParam);
                break;
        }
    } else if (message == WM_TIMER && wParam == kShowTimer) {
        ShowLoadedPage(lParam);
    }
    return 0;
}

void BrowserDlg::ShowLoadedPage(LPARAM timerLParam) {
    HWND hwnd = GetHWND();
    KillTimer(hwnd, kShowTimer);
    ShowWindow(SW_SHOWNORMAL);
    PostMessageW(owner_, WM_WEB_PAGE_SHOWN, kShowTimer, timerLParam);
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}
