#include "cef_browser_object.h"

#include "include/cef_app.h"
#include "include/cef_browser.h"
#include "include/cef_command_line.h"

#include "cef_app_handler.h"
#include "cef_init_settings.h"
#include "cef_client_handler.h"
#include "script_call.h"

namespace {

const char kUserAgent[] = "payment/360pay";

}  // namespace

bool CefBrowserObject::CefInit(CefInitParams params, int& exitCode) {
    const CefMainArgs mainArgs(params.hInstance);
    CefRefPtr<CefAppHandler> app(new CefAppHandler);
    GetClientHandler()->RegisterMessageHandlers();

    exitCode = CefExecuteProcess(mainArgs, app, nullptr);
    if (exitCode >= 0) {
        return false;
    }

    const CefSettings settings =
        MakeCefSettings(params.cachePath, params.userDataPath, getUserAgent());
    return CefInitialize(mainArgs, settings, app, nullptr);
}

void CefBrowserObject::CefShutDown() { CefShutdown(); }

std::string CefBrowserObject::CefProcessType() {
    CefRefPtr<CefCommandLine> commandLine = CefCommandLine::CreateCommandLine();
    commandLine->InitFromString(GetCommandLineW());
    if (!commandLine->HasSwitch("type")) {
        return std::string();
    }
    return commandLine->GetSwitchValue("type").ToString();
}

std::string CefBrowserObject::getUserAgent() { return kUserAgent; }

bool CefBrowserObject::CreateBrowser(HWND parent, const std::string& url, RECT rect) {
    hostWindow = parent;
    CefWindowInfo windowInfo;
    windowInfo.SetAsChild(
        parent, CefRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top));
    windowInfo.style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP | WS_VISIBLE;
    windowInfo.ex_style = 0;
    return CefBrowserHost::CreateBrowser(windowInfo, GetClientHandler(), CefString(url),
                                         CefBrowserSettings(), nullptr, nullptr);
}

CefRefPtr<CefBrowser> CefBrowserObject::GetBrowser() const {
    if (hostWindow == nullptr) {
        return nullptr;
    }
    return GetClientHandler()->FindBrowser(hostWindow);
}

void CefBrowserObject::ResizeBrowser(RECT rect) {
    CefRefPtr<CefBrowser> browser = GetBrowser();
    if (!browser) {
        return;
    }
    SetWindowPos(browser->GetHost()->GetWindowHandle(), nullptr, rect.left, rect.top,
                 rect.right - rect.left, rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CefBrowserObject::ShowWebWindow(bool show) {
    CefRefPtr<CefBrowser> browser = GetBrowser();
    if (browser) {
        ShowWindow(browser->GetHost()->GetWindowHandle(), show ? SW_SHOW : SW_HIDE);
    }
}

void CefBrowserObject::CloseBrowser(bool force) {
    CefRefPtr<CefBrowser> browser = GetBrowser();
    if (browser) {
        browser->GetHost()->CloseBrowser(force);
    }
}

void CefBrowserObject::CallJSFunction(const wchar_t* name, const wchar_t* argument) {
    CefRefPtr<CefBrowser> browser = GetBrowser();
    if (!browser || name == nullptr) {
        return;
    }
    const std::wstring script = ComposeScriptCall(name, argument ? argument : L"");
    browser->GetMainFrame()->ExecuteJavaScript(script, CefString(), 0);
}

void CefBrowserObject::SetBlockUrls(std::vector<std::string> urls) {
    GetClientHandler()->SetBlockUrls(hostWindow, std::move(urls));
}
