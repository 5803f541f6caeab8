#include "browser_window.h"

#include "browser_impl.h"

namespace cef_standin {
namespace {

constexpr wchar_t kWindowClass[] = L"CefBrowserWindow";

BrowserImpl* BrowserOf(HWND window) {
    return reinterpret_cast<BrowserImpl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    BrowserImpl* browser = BrowserOf(window);
    if (browser && browser->view()) {
        LRESULT result = 0;
        if (browser->view()->HandleMessage(message, wparam, lparam, result)) return result;
    }
    switch (message) {
        case WM_SIZE:
            if (browser) browser->OnWindowResized(LOWORD(lparam), HIWORD(lparam));
            break;
        case WM_DESTROY:
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            if (browser) browser->OnWindowDestroyed();
            break;
        default:
            break;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

HWND CreateBrowserWindow(const CefWindowInfo& info, BrowserImpl* browser) {
    static const ATOM registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = kWindowClass;
        return RegisterClassExW(&wc);
    }();
    if (!registered) return nullptr;
    const wchar_t* name = info.window_name.str ? info.window_name.str : L"";
    return CreateWindowExW(info.ex_style, kWindowClass, name, info.style, info.bounds.x,
                           info.bounds.y, info.bounds.width, info.bounds.height, info.parent_window,
                           info.menu, GetModuleHandleW(nullptr), browser);
}

void DetachBrowserWindow(HWND window) { SetWindowLongPtrW(window, GWLP_USERDATA, 0); }

}  // namespace cef_standin
