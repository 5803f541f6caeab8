#include "cef_client_handler.h"

#include <utility>

#include "code_page.h"
#include "file_version.h"
#include "host_message.h"
#include "message_handlers.h"
#include "web_messages.h"

namespace {

std::wstring CurrentDirectory() {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    if (size == 0) {
        return std::wstring();
    }
    std::wstring directory(size, L'\0');
    const DWORD length = GetCurrentDirectoryW(size, directory.data());
    directory.resize(length < size ? length : 0);
    return directory;
}

std::string VersionOfFileInCurrentDirectory(const wchar_t* name) {
    return WideToAnsiText(GetFileVersionText(CurrentDirectory() + L"\\" + name));
}

}  // namespace

CefClientHandler::CefClientHandler()
    : cefVersion(VersionOfFileInCurrentDirectory(L"libcef.dll")),
      version(VersionOfFileInCurrentDirectory(L"vesk2.exe")) {}

bool CefClientHandler::OnProcessMessageReceived(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame>,
                                                CefProcessId,
                                                CefRefPtr<CefProcessMessage> message) {
    const auto handler = messageHandlers.find(message->GetName().ToWString());
    if (handler == messageHandlers.end()) {
        return false;
    }
    handler->second(browser, message->GetArgumentList());
    return true;
}

bool CefClientHandler::OnBeforePopup(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame>,
                                     const CefString& target_url, const CefString&,
                                     CefLifeSpanHandler::WindowOpenDisposition, bool,
                                     const CefPopupFeatures&, CefWindowInfo&, CefRefPtr<CefClient>&,
                                     CefBrowserSettings&, CefRefPtr<CefDictionaryValue>&, bool*) {
    PostHostText(GetHostWindow(browser), WM_WEB_POPUP, target_url.ToString(),
                 browser->GetIdentifier());
    return true;
}

void CefClientHandler::OnAfterCreated(CefRefPtr<CefBrowser> browser) {
    const HWND host = GetHostWindow(browser);
    {
        std::lock_guard<std::mutex> guard(tableLock);
        browsers.try_emplace(host, browser);
    }
    CefRefPtr<CefRequestContext> context = browser->GetHost()->GetRequestContext();
    if (context) {
        CefRefPtr<CefValue> size = CefValue::Create();
        size->SetInt(0);
        CefString error;
        context->SetPreference("webkit.webprefs.minimum_font_size", size, error);
    }
}

void CefClientHandler::OnBeforeClose(CefRefPtr<CefBrowser> browser) {
    // The copy keeps every reference until the end, so the last release of
    // the erased entry happens outside the lock.
    std::vector<std::pair<HWND, CefRefPtr<CefBrowser>>> recorded;
    {
        std::lock_guard<std::mutex> guard(tableLock);
        recorded.assign(browsers.begin(), browsers.end());
    }
    for (const auto& entry : recorded) {
        if (entry.second->IsSame(browser)) {
            std::lock_guard<std::mutex> guard(tableLock);
            const auto found = browsers.find(entry.first);
            if (found != browsers.end() && found->second == entry.second) {
                browsers.erase(found);
            }
            return;
        }
    }
}

void CefClientHandler::OnLoadEnd(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, int) {
    if (frame->IsMain()) {
        PostHostMessage(GetHostWindow(browser), WM_WEB_LOAD_END,
                        static_cast<WPARAM>(browser->GetIdentifier()), 0);
    }
}

void CefClientHandler::OnBeforeContextMenu(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>,
                                           CefRefPtr<CefContextMenuParams>,
                                           CefRefPtr<CefMenuModel> model) {
    model->Clear();
    model->AddItem(DEVTOOLS_COMMAND_ID, L"开发者工具");
}

bool CefClientHandler::OnContextMenuCommand(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame>,
                                            CefRefPtr<CefContextMenuParams>, int command_id,
                                            CefContextMenuHandler::EventFlags) {
    if (command_id != DEVTOOLS_COMMAND_ID) {
        return false;
    }
    OpenDevTools(browser);
    return true;
}

bool CefClientHandler::OnKeyEvent(CefRefPtr<CefBrowser> browser, const CefKeyEvent& event,
                                  CefEventHandle) {
    if (event.type != KEYEVENT_RAWKEYDOWN || event.windows_key_code != VK_F2) {
        return false;
    }
    OpenDevTools(browser);
    return true;
}

bool CefClientHandler::OnBeforeBrowse(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame>,
                                      CefRefPtr<CefRequest> request, bool, bool) {
    const std::string url = request->GetURL().ToString();
    const HWND host = GetHostWindow(browser);
    for (const std::string& fragment : BlockUrlsOf(host)) {
        if (url.find(fragment) != std::string::npos) {
            PostHostText(host, WM_WEB_URL_BLOCKED, url, 0);
            return true;
        }
    }
    return false;
}

CefRefPtr<CefResourceRequestHandler> CefClientHandler::GetResourceRequestHandler(
    CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, CefRefPtr<CefRequest>, bool, bool, const CefString&,
    bool&) {
    return this;
}

CefResourceRequestHandler::ReturnValue CefClientHandler::OnBeforeResourceLoad(
    CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, CefRefPtr<CefRequest> request,
    CefRefPtr<CefCallback>) {
    CefRequest::HeaderMap headers;
    request->GetHeaderMap(headers);
    headers.emplace("cefVersion", cefVersion);
    headers.emplace("version", version);
    headers.emplace("payment", "360pay");
    request->SetHeaderMap(headers);
    return RV_CONTINUE;
}

void CefClientHandler::RegisterMessageHandlers() {
    messageHandlers[L"CefOderRequest"] = [this](CefRefPtr<CefBrowser> browser,
                                                CefRefPtr<CefListValue> arguments) {
        OnOrderRequest(browser, arguments);
    };
}

void CefClientHandler::OnOrderRequest(CefRefPtr<CefBrowser> browser,
                                      CefRefPtr<CefListValue> arguments) {
    std::wstring order;
    if (arguments && arguments->GetSize() > 0 && arguments->GetType(0) == VTYPE_STRING) {
        order = arguments->GetString(0).ToWString();
    }
    PostHostText(GetHostWindow(browser), WM_WEB_ORDER_REQUEST, WideToAnsiText(order), 0);
}

void CefClientHandler::OpenDevTools(CefRefPtr<CefBrowser> browser) {
    CefRefPtr<CefBrowserHost> host = browser->GetHost();
    if (host->HasDevTools()) {
        return;
    }
    CefWindowInfo windowInfo;
    windowInfo.SetAsPopup(nullptr, "DevTools");
    windowInfo.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VISIBLE;
    host->ShowDevTools(windowInfo, this, CefBrowserSettings(), CefPoint(0, 0));
}

HWND CefClientHandler::GetHostWindow(CefRefPtr<CefBrowser> browser) {
    return GetParent(browser->GetHost()->GetWindowHandle());
}

CefRefPtr<CefBrowser> CefClientHandler::FindBrowser(HWND host) const {
    std::lock_guard<std::mutex> guard(tableLock);
    const auto found = browsers.find(host);
    return found == browsers.end() ? nullptr : found->second;
}

void CefClientHandler::SetBlockUrls(HWND host, std::vector<std::string> urls) {
    std::lock_guard<std::mutex> guard(tableLock);
    blockUrls[host] = std::move(urls);
}

std::vector<std::string> CefClientHandler::BlockUrlsOf(HWND host) const {
    std::lock_guard<std::mutex> guard(tableLock);
    const auto found = blockUrls.find(host);
    return found == blockUrls.end() ? std::vector<std::string>() : found->second;
}

CefRefPtr<CefClientHandler> GetClientHandler() {
    static CefRefPtr<CefClientHandler> handler(new CefClientHandler);
    return handler;
}
