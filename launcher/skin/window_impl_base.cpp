#include "skin/window_impl_base.h"

#include "skin/layout_document.h"
#include "skin/skin_package.h"
#include "skin/skin_view.h"
#include "skin/window_shadow.h"

#include <windowsx.h>

#include <map>

namespace skin {
namespace {

// Clears WS_CAPTION (WS_BORDER | WS_DLGFRAME): the toolkit draws the whole window.
constexpr DWORD kStyleMask = 0xFF3FFFFF;
// "加载资源失败！"
constexpr wchar_t kLayoutFailureText[] = L"\u52a0\u8f7d\u8d44\u6e90\u5931\u8d25\uff01";

// Live toolkit windows, for the message loop's pre-translation.
std::map<HWND, WindowImplBase*>& LiveWindows() {
    static std::map<HWND, WindowImplBase*> windows;
    return windows;
}

}  // namespace

WindowImplBase::WindowImplBase() = default;

WindowImplBase::~WindowImplBase() {
    HWND hwnd = hwnd_;
    Detach();
    if (hwnd && IsWindow(hwnd)) DestroyWindow(hwnd);
}

HWND WindowImplBase::Create(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, int x,
                            int y, int width, int height) {
    if (!RegisterWindowClass()) return nullptr;
    return CreateWindowExW(exStyle, GetWindowClassName(), title, style, x, y, width, height, parent,
                           nullptr, GetResourceInstance(), this);
}

bool WindowImplBase::RegisterWindowClass() const {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    HINSTANCE instance = GetResourceInstance();
    if (GetClassInfoExW(instance, GetWindowClassName(), &windowClass)) return true;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = GetWindowClassName();
    return RegisterClassExW(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

LRESULT CALLBACK WindowImplBase::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowImplBase* self = nullptr;
    if (message == WM_NCCREATE) {
        self =
            static_cast<WindowImplBase*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        LiveWindows()[hwnd] = self;
    } else {
        self = reinterpret_cast<WindowImplBase*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);

    ++self->depth_;
    LRESULT result = self->HandleMessage(message, wParam, lParam);
    --self->depth_;
    if (message == WM_NCDESTROY) {
        self->Detach();
        self->finalPending_ = true;
    }
    // The window may be destroyed while one of its own messages is still being
    // handled; the object hears of its end only once that handling is over.
    if (self->finalPending_ && self->depth_ == 0) {
        self->finalPending_ = false;
        self->view_.reset();
        self->shadow_.reset();
        self->OnFinalMessage(hwnd);
    }
    return result;
}

void WindowImplBase::Detach() {
    if (!hwnd_) return;
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    LiveWindows().erase(hwnd_);
    hwnd_ = nullptr;
}

LRESULT WindowImplBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = hwnd_;
    LRESULT result = 0;
    if (RouteStandardStep(message, wParam, lParam, result)) return result;
    bool handled = false;
    result = HandleCustomMessage(message, wParam, lParam, handled);
    if (handled || !hwnd_) return result;
    if (message == WM_WINDOWPOSCHANGED && shadow_) shadow_->Follow(hwnd_);
    if (view_ && view_->HandleMessage(message, wParam, lParam, result)) return result;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool WindowImplBase::RouteStandardStep(UINT message, WPARAM wParam, LPARAM lParam,
                                       LRESULT& result) {
    using Step = LRESULT (WindowImplBase::*)(UINT, WPARAM, LPARAM, bool&);
    Step step = nullptr;
    switch (message) {
        case WM_CREATE:
            step = &WindowImplBase::OnCreate;
            break;
        case WM_DESTROY:
            step = &WindowImplBase::OnDestroy;
            break;
        case WM_SIZE:
            step = &WindowImplBase::OnSize;
            break;
        case WM_CLOSE:
            step = &WindowImplBase::OnClose;
            break;
        case WM_NCACTIVATE:
            step = &WindowImplBase::OnNcActivate;
            break;
        case WM_NCCALCSIZE:
            step = &WindowImplBase::OnNcCalcSize;
            break;
        case WM_NCPAINT:
            step = &WindowImplBase::OnNcPaint;
            break;
        case WM_NCHITTEST:
            step = &WindowImplBase::OnNcHitTest;
            break;
        case WM_GETMINMAXINFO:
            step = &WindowImplBase::OnGetMinMaxInfo;
            break;
        case WM_SYSCOMMAND:
            step = &WindowImplBase::OnSysCommand;
            break;
        case WM_KEYDOWN:
            step = &WindowImplBase::OnKeyDown;
            break;
        case WM_MOUSEMOVE:
            step = &WindowImplBase::OnMouseMove;
            break;
        case WM_LBUTTONDOWN:
            step = &WindowImplBase::OnLButtonDown;
            break;
        case WM_LBUTTONUP:
            step = &WindowImplBase::OnLButtonUp;
            break;
        default:
            return false;
    }
    bool handled = true;
    result = (this->*step)(message, wParam, lParam, handled);
    return handled;
}

LRESULT WindowImplBase::OnCreate(UINT, WPARAM, LPARAM, bool&) {
    DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE));
    style = (style & kStyleMask) | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    SetWindowLongW(hwnd_, GWL_STYLE, static_cast<LONG>(style));
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    BuildContent();
    return 0;
}

void WindowImplBase::BuildContent() {
    // Without a package the window stays empty and is not initialised.
    if (!OpenPackage(GetResourceID())) return;
    std::string markup;
    LayoutDocument document;
    if (!ReadPackageFile(GetSkinFolder() + GetSkinFile(), markup) ||
        !ParseLayout(markup, document)) {
        MessageBoxW(nullptr, kLayoutFailureText, GetSkinFile().c_str(), MB_ICONERROR);
        ExitProcess(1);
    }
    const WindowAttributes attributes = document.window;
    if (attributes.bktrans) {
        LONG exStyle = GetWindowLongW(hwnd_, GWL_EXSTYLE);
        SetWindowLongW(hwnd_, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    }
    view_ = std::make_unique<SkinView>(hwnd_, std::move(document),
                                       [this](Control* sender) { OnClick(sender); });
    if (attributes.showshadow) shadow_ = std::make_unique<WindowShadow>(attributes.shadowcorner);
    if (attributes.size.cx > 0 && attributes.size.cy > 0) {
        SetWindowPos(hwnd_, nullptr, 0, 0, attributes.size.cx, attributes.size.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InitWindow();
}

LRESULT WindowImplBase::OnDestroy(UINT, WPARAM, LPARAM, bool& handled) {
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnSize(UINT, WPARAM, LPARAM, bool& handled) {
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnClose(UINT, WPARAM, LPARAM, bool& handled) {
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnNcActivate(UINT, WPARAM, LPARAM, bool& handled) {
    // No system frame to draw; a minimised window keeps the default handling.
    if (IsIconic(hwnd_)) handled = false;
    return TRUE;
}

LRESULT WindowImplBase::OnNcCalcSize(UINT, WPARAM, LPARAM, bool&) {
    // The client area is the whole window.
    return 0;
}

LRESULT WindowImplBase::OnNcPaint(UINT, WPARAM, LPARAM, bool&) { return 0; }

LRESULT WindowImplBase::OnNcHitTest(UINT, WPARAM, LPARAM lParam, bool&) {
    if (!view_) return HTCLIENT;
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(hwnd_, &point);
    RECT client;
    GetClientRect(hwnd_, &client);
    const WindowAttributes& a = view_->Attributes();

    if (!IsZoomed(hwnd_)) {
        bool left = point.x < client.left + a.sizebox.left;
        bool right = point.x >= client.right - a.sizebox.right;
        bool top = point.y < client.top + a.sizebox.top;
        bool bottom = point.y >= client.bottom - a.sizebox.bottom;
        if (top) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
        if (bottom) return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
        if (left) return HTLEFT;
        if (right) return HTRIGHT;
    }
    bool inCaption =
        point.x >= client.left + a.caption.left && point.x < client.right - a.caption.right &&
        point.y >= client.top + a.caption.top && point.y < client.top + a.caption.bottom;
    if (inCaption) {
        Control* over = view_->ControlAt(point);
        if (!over || !over->IsClickable()) return HTCAPTION;
    }
    return HTCLIENT;
}

LRESULT WindowImplBase::OnGetMinMaxInfo(UINT, WPARAM, LPARAM lParam, bool&) {
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &monitor)) {
        // Maximised, the window covers the work area, not the whole monitor.
        info->ptMaxPosition.x = monitor.rcWork.left - monitor.rcMonitor.left;
        info->ptMaxPosition.y = monitor.rcWork.top - monitor.rcMonitor.top;
        info->ptMaxSize.x = monitor.rcWork.right - monitor.rcWork.left;
        info->ptMaxSize.y = monitor.rcWork.bottom - monitor.rcWork.top;
    }
    if (view_) {
        const SIZE& largest = view_->Attributes().maxinfo;
        if (largest.cx > 0) info->ptMaxTrackSize.x = largest.cx;
        if (largest.cy > 0) info->ptMaxTrackSize.y = largest.cy;
    }
    return 0;
}

LRESULT WindowImplBase::OnSysCommand(UINT, WPARAM, LPARAM, bool& handled) {
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnKeyDown(UINT, WPARAM, LPARAM, bool& handled) {
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnMouseMove(UINT, WPARAM, LPARAM, bool& handled) {
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnLButtonDown(UINT, WPARAM, LPARAM, bool& handled) {
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnLButtonUp(UINT, WPARAM, LPARAM, bool& handled) {
    handled = false;
    return 0;
}

LRESULT WindowImplBase::HandleCustomMessage(UINT, WPARAM, LPARAM, bool&) { return 0; }

Control* WindowImplBase::FindControl(const std::wstring& name) const {
    return view_ ? view_->FindControl(name) : nullptr;
}

void WindowImplBase::ShowWindow(int command) {
    if (hwnd_) ::ShowWindow(hwnd_, command);
}

void WindowImplBase::Close(UINT resultCode) {
    if (hwnd_ && IsWindow(hwnd_)) PostMessageW(hwnd_, WM_CLOSE, resultCode, 0);
}

LRESULT WindowImplBase::SendWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageW(hwnd_, message, wParam, lParam);
}

void WindowImplBase::SetIcon(UINT resourceId) {
    HINSTANCE instance = GetResourceInstance();
    HANDLE big = LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                            GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_SHARED);
    HANDLE small =
        LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED);
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

void WindowImplBase::CenterWindow() {
    RECT window;
    GetWindowRect(hwnd_, &window);
    int width = window.right - window.left;
    int height = window.bottom - window.top;
    HWND owner = GetWindow(hwnd_, GW_OWNER);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(owner ? owner : hwnd_, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& area = monitor.rcWork;
    RECT reference = area;
    if (owner) GetWindowRect(owner, &reference);

    int x = (reference.left + reference.right) / 2 - width / 2;
    if (x < area.left) {
        x = area.left;
    } else if (x + width > area.right) {
        x = area.right - width;
    }
    int y = (reference.top + reference.bottom) / 2 - height / 2;
    if (y < area.top) {
        y = area.top;
    } else if (y + height > area.bottom) {
        y = area.bottom - height;
    }
    SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool WindowImplBase::PreTranslate(const MSG& msg) {
    for (HWND hwnd = msg.hwnd; hwnd; hwnd = GetParent(hwnd)) {
        auto window = LiveWindows().find(hwnd);
        if (window != LiveWindows().end() && window->second->PreTranslateMessage(msg)) return true;
    }
    return false;
}

}  // namespace skin
