#include "test_host_window.h"

#include "web_messages.h"

namespace {

const wchar_t kClassName[] = L"WebhullTestHost";
const DWORD kPumpBoundMs = 45000;

bool CarriesText(UINT id) {
    return id == WM_WEB_URL_BLOCKED || id == WM_WEB_POPUP || id == WM_WEB_ORDER_REQUEST;
}

bool PumpOnce() {
    MSG msg;
    bool any = false;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        any = true;
    }
    return any;
}

}  // namespace

TestHostWindow::TestHostWindow() {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &TestHostWindow::Procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassExW(&wc);
    window = CreateWindowExW(0, kClassName, L"webhull test host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                             20, 20, 820, 640, nullptr, nullptr, wc.hInstance, this);
}

TestHostWindow::~TestHostWindow() {
    if (window != nullptr) {
        DestroyWindow(window);
    }
    PumpOnce();
}

std::vector<TestHostWindow::Message> TestHostWindow::received(UINT id) const {
    std::vector<Message> matching;
    for (const Message& message : messages) {
        if (message.id == id) {
            matching.push_back(message);
        }
    }
    return matching;
}

bool TestHostWindow::PumpUntil(const std::function<bool()>& done) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > kPumpBoundMs) {
            return false;
        }
        if (!PumpOnce()) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        }
    }
    return true;
}

std::optional<TestHostWindow::Message> TestHostWindow::WaitFor(UINT id, size_t count) {
    if (!PumpUntil([&] { return received(id).size() >= count; })) {
        return std::nullopt;
    }
    return received(id)[count - 1];
}

HWND TestHostWindow::BrowserWindow() const {
    return FindWindowExW(window, nullptr, nullptr, nullptr);
}

LRESULT CALLBACK TestHostWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TestHostWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr && message >= WM_WEB_LOAD_END && message <= WM_WEB_ORDER_REQUEST) {
        Message record{message, wParam, lParam, std::string()};
        if (CarriesText(message) && wParam != 0) {
            auto* payload = reinterpret_cast<std::string*>(wParam);
            record.text = *payload;
            delete payload;
        }
        self->messages.push_back(record);
        return 0;
    }
    if (message == WM_DESTROY && self != nullptr) {
        self->window = nullptr;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void PumpFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        if (!PumpOnce()) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        }
    }
}

std::vector<HWND> VisibleProcessWindows() {
    std::vector<HWND> windows;
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == GetCurrentProcessId() && IsWindowVisible(window)) {
                reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}
