#include "host_fixtures.h"

#include <algorithm>
#include <cstring>

#include "web_messages.h"

namespace {

constexpr wchar_t kOwnerClass[] = L"BrowserHostTestOwner";
int liveHosts = 0;
std::vector<std::pair<char, std::wstring>> orderResults;

}  // namespace

TestOwner::TestOwner() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kOwnerClass;
    RegisterClassExW(&windowClass);
    hwnd_ = CreateWindowExW(0, kOwnerClass, L"owner", WS_OVERLAPPEDWINDOW, 100, 100, 900, 600,
                            nullptr, nullptr, instance, this);
}

TestOwner::~TestOwner() { Destroy(); }

void TestOwner::Destroy() {
    if (hwnd_) DestroyWindow(hwnd_);
}

size_t TestOwner::Count(UINT message) const {
    size_t count = 0;
    for (const Received& r : received_) count += r.message == message;
    return count;
}

LRESULT CALLBACK TestOwner::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TestOwner*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) self->hwnd_ = nullptr;
    if (message > WM_USER) {
        Received received{message, wParam, lParam, std::string(), GetTickCount64()};
        if ((message == WM_WEB_URL_BLOCKED || message == WM_WEB_POPUP) && wParam) {
            auto* payload = reinterpret_cast<std::string*>(wParam);
            received.payload = *payload;
            delete payload;
        }
        self->received_.push_back(received);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

CountedHost::CountedHost(HWND owner, char tag) : BrowserDlg(owner), tag_(tag) { ++liveHosts; }

CountedHost::~CountedHost() { --liveHosts; }

void CountedHost::SendOrderResult(const std::wstring& text) {
    orderResults.emplace_back(tag_, text);
    BrowserDlg::SendOrderResult(text);
}

int CountedHost::Live() { return liveHosts; }

void* CountedHost::operator new(std::size_t size) { return ::operator new(size); }

void CountedHost::operator delete(void* block, std::size_t size) { std::memset(block, 0xDD, size); }

const std::vector<std::pair<char, std::wstring>>& CountedHost::Results() { return orderResults; }

CountedHost* CreateHost(const TestOwner& owner, char tag) {
    auto* host = new CountedHost(owner.hwnd(), tag);
    RECT rect{};
    GetWindowRect(owner.hwnd(), &rect);
    host->Create(owner.hwnd(), L"", WS_VISIBLE | WS_OVERLAPPEDWINDOW, 0, rect.left, rect.top,
                 rect.right - rect.left, rect.bottom - rect.top);
    host->ShowWindow(SW_HIDE);
    return host;
}

CountedHost* OpenHost(const TestOwner& owner, const std::string& url, char tag) {
    CountedHost* host = CreateHost(owner, tag);
    host->OpenPage(url);
    host->SetBlockUrls({});
    return host;
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!done()) {
        ULONGLONG now = GetTickCount64();
        if (now >= end) return false;
        MsgWaitForMultipleObjects(
            0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(end - now, 20)), QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}
