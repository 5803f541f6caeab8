#include "loaded_page.h"

#include "server_log.h"
#include "web_messages.h"

LoadedPage::LoadedPage(const std::string& path, std::vector<std::string> blocked) {
    const RECT rect{0, 0, 800, 600};
    if (!object.CreateBrowser(host.handle(), ServerBase() + path, rect)) {
        return;
    }
    object.SetBlockUrls(std::move(blocked));
    static int pages = 0;
    const std::string token = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++pages);
    const std::wstring wideToken(token.begin(), token.end());
    const std::string readyPath = "/ready?" + token;
    DWORD lastPing = 0;
    ready = host.PumpUntil([&] {
        if (GetTickCount() - lastPing > 500) {
            object.CallJSFunction(L"ping", wideToken.c_str());
            lastPing = GetTickCount();
        }
        return !RequestsFor(readyPath).empty();
    });
}

LoadedPage::~LoadedPage() {
    object.CloseBrowser(true);
    host.PumpUntil([this] { return host.BrowserWindow() == nullptr; });
}

std::optional<std::string> LoadedPage::Ask(const wchar_t* function, const wchar_t* argument) {
    const size_t before = host.received(WM_WEB_ORDER_REQUEST).size();
    object.CallJSFunction(function, argument);
    const auto answer = host.WaitFor(WM_WEB_ORDER_REQUEST, before + 1);
    if (!answer) {
        return std::nullopt;
    }
    return answer->text;
}

std::string Ansi(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}
