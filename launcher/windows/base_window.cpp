#include "windows/base_window.h"

#include "skin/utf8.h"
#include "web_messages.h"

#include <shellapi.h>

#include <memory>

const char kFlashHelpPage[] = "https://" HLVN_FLASH_HOST "/help/service2.html";
const char kFlashUpdatePage[] = "https://" HLVN_FLASH_HOST "/flashupdate";

namespace {

constexpr UINT kSkinPackageResource = 129;
constexpr UINT_PTR kCloseTimer = 100;
constexpr UINT kCloseDelayMs = 200;

bool StartsWithNoCase(const std::string& text, const char* prefix) {
    size_t length = std::char_traits<char>::length(prefix);
    return text.size() >= length && _strnicmp(text.c_str(), prefix, length) == 0;
}

// Opens a page address in the user's default browser. Only web addresses are
// handed to the shell: a page must not be able to start local programs or
// open files through it.
void OpenInSystemBrowser(const std::string& url) {
    if (!StartsWithNoCase(url, "http://") && !StartsWithNoCase(url, "https://")) return;
    ShellExecuteW(nullptr, L"open", skin::Utf8ToWide(url).c_str(), nullptr, nullptr, SW_SHOW);
}

}  // namespace

UINT BaseWindow::GetResourceID() const { return kSkinPackageResource; }

void BaseWindow::OnFinalMessage(HWND) { delete this; }

LRESULT BaseWindow::HandleCustomMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    return HandleHostMessage(message, wParam, lParam, handled);
}

LRESULT BaseWindow::HandleHostMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    if (message == WM_WEB_URL_BLOCKED) {
        std::unique_ptr<std::string> url(reinterpret_cast<std::string*>(wParam));
        if (!url) return 0;
        if (*url == kFlashHelpPage || *url == kFlashUpdatePage) {
            OpenInSystemBrowser(*url);
            return 0;
        }
        if (!pageShown_) return 0;
        auto* copy = new std::string(*url);
        return OnHostMessage(message, reinterpret_cast<WPARAM>(copy), lParam, handled);
    }
    if (message == WM_WEB_POPUP) {
        std::unique_ptr<std::string> url(reinterpret_cast<std::string*>(wParam));
        if (url) OpenInSystemBrowser(*url);
        return 0;
    }
    if (message == WM_TIMER) {
        OnWindowTimer(message, wParam, lParam, handled);
        return 0;
    }
    if (message == WM_WEB_PAGE_SHOWN) {
        pageShown_ = true;
        return 0;
    }
    return OnHostMessage(message, wParam, lParam, handled);
}

LRESULT BaseWindow::OnHostMessage(UINT message, WPARAM wParam, LPARAM, bool&) {
    if (message == WM_WEB_URL_BLOCKED) delete reinterpret_cast<std::string*>(wParam);
    return 0;
}

LRESULT BaseWindow::OnWindowTimer(UINT, WPARAM wParam, LPARAM, bool&) {
    if (wParam == kCloseTimer) {
        KillTimer(GetHWND(), kCloseTimer);
        Close(1);
    }
    return 0;
}

void BaseWindow::CloseSoon() {
    ShowWindow(SW_HIDE);
    SetTimer(GetHWND(), kCloseTimer, kCloseDelayMs, nullptr);
}
