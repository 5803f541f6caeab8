#include "skin/window_shadow.h"

#include "skin/canvas.h"
#include "skin/skin_package.h"

#include <algorithm>
#include <cmath>

namespace skin {
namespace {

constexpr wchar_t kShadowClass[] = L"SkinShadowWnd";
// Darkest shadow, next to the window's edge.
constexpr double kEdgeAlpha = 70.0;

bool RegisterShadowClass() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    HINSTANCE instance = GetResourceInstance();
    if (GetClassInfoExW(instance, kShadowClass, &windowClass)) return true;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kShadowClass;
    return RegisterClassExW(&windowClass) != 0;
}

}  // namespace

WindowShadow::WindowShadow(const RECT& widths) : widths_(widths) {}

WindowShadow::~WindowShadow() {
    if (hwnd_) DestroyWindow(hwnd_);
}

void WindowShadow::Follow(HWND target) {
    bool wanted = IsWindowVisible(target) && !IsIconic(target) && !IsZoomed(target);
    if (!wanted) {
        if (hwnd_) ::ShowWindow(hwnd_, SW_HIDE);
        return;
    }
    if (!hwnd_) {
        if (!RegisterShadowClass()) return;
        hwnd_ =
            CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW,
                            kShadowClass, L"", WS_POPUP, 0, 0, 0, 0, GetWindow(target, GW_OWNER),
                            nullptr, GetResourceInstance(), nullptr);
        if (!hwnd_) return;
    }
    RECT window;
    GetWindowRect(target, &window);
    int width = window.right - window.left + widths_.left + widths_.right;
    int height = window.bottom - window.top + widths_.top + widths_.bottom;
    if (width != rendered_.cx || height != rendered_.cy) Render(width, height);
    SetWindowPos(hwnd_, target, window.left - widths_.left, window.top - widths_.top, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void WindowShadow::Render(int width, int height) {
    Canvas canvas;
    if (!canvas.Resize(width, height)) return;
    // Alpha falls off with the distance from the window's edge, quadratically.
    int left = widths_.left;
    int top = widths_.top;
    int right = width - widths_.right - 1;
    int bottom = height - widths_.bottom - 1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int dx = std::max({left - x, x - right, 0});
            int dy = std::max({top - y, y - bottom, 0});
            if (dx == 0 && dy == 0) continue;
            double reach = dx ? (x < left ? widths_.left : widths_.right)
                              : (y < top ? widths_.top : widths_.bottom);
            double falloff = 1.0 - std::sqrt(double(dx) * dx + double(dy) * dy) / (reach + 1);
            if (falloff <= 0) continue;
            auto alpha = static_cast<uint32_t>(kEdgeAlpha * falloff * falloff);
            canvas.FillColor(RECT{x, y, x + 1, y + 1}, alpha << 24);
        }
    }
    SIZE size{width, height};
    POINT origin{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UpdateLayeredWindow(hwnd_, nullptr, nullptr, &size, canvas.Dc(), &origin, 0, &blend, ULW_ALPHA);
    rendered_ = size;
}

}  // namespace skin
