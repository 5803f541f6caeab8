#include "skin/skin_view.h"

#include <windowsx.h>

#include <algorithm>

namespace skin {
namespace {

// Control timers use identifiers from here upwards, clear of the windows' own.
constexpr UINT_PTR kFirstTimerId = 0xC000;
// A window with a transparent background gets no WM_PAINT before its first
// UpdateLayeredWindow: it is redrawn from this timer instead.
constexpr UINT_PTR kRenderTimerId = kFirstTimerId - 1;

POINT ClientPoint(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

}  // namespace

SkinView::SkinView(HWND window, LayoutDocument document, ClickHandler onClick)
    : window_(window), document_(std::move(document)), onClick_(std::move(onClick)) {
    document_.root->Attach(this);
}

SkinView::~SkinView() {
    for (size_t i = 0; i < timerControls_.size(); ++i) KillTimer(window_, kFirstTimerId + i);
}

Control* SkinView::FindControl(const std::wstring& name) {
    UpdateLayout();
    return document_.root->FindByName(name);
}

Control* SkinView::ControlAt(POINT point) {
    UpdateLayout();
    return document_.root->FindAt(point);
}

void SkinView::Invalidate(const RECT& area) {
    UnionRect(&dirty_, &dirty_, &area);
    if (document_.window.bktrans) {
        SetTimer(window_, kRenderTimerId, USER_TIMER_MINIMUM, nullptr);
    } else {
        InvalidateRect(window_, &area, FALSE);
    }
}

void SkinView::InvalidateLayout() {
    layoutValid_ = false;
    RECT client;
    GetClientRect(window_, &client);
    Invalidate(client);
}

HFONT SkinView::Font(int index) const { return document_.fonts->Get(index); }

void SkinView::StartTimer(Control* control, UINT delayMs) {
    auto found = std::find(timerControls_.begin(), timerControls_.end(), control);
    size_t index = found - timerControls_.begin();
    if (found == timerControls_.end()) timerControls_.push_back(control);
    SetTimer(window_, kFirstTimerId + index, delayMs, nullptr);
}

void SkinView::UpdateLayout() {
    RECT client;
    GetClientRect(window_, &client);
    SIZE size{client.right, client.bottom};
    if (layoutValid_ && size.cx == laidOutSize_.cx && size.cy == laidOutSize_.cy) return;
    layoutValid_ = true;
    laidOutSize_ = size;
    document_.root->Arrange(client);
    UnionRect(&dirty_, &dirty_, &client);
}

void SkinView::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    UnionRect(&dirty_, &dirty_, &paint.rcPaint);
    Render(dc);
    EndPaint(window_, &paint);
}

void SkinView::Render(HDC dc) {
    UpdateLayout();
    if (canvas_.Width() != laidOutSize_.cx || canvas_.Height() != laidOutSize_.cy) {
        canvas_.Resize(laidOutSize_.cx, laidOutSize_.cy);
        dirty_ = RECT{0, 0, laidOutSize_.cx, laidOutSize_.cy};
    }
    RECT area = dirty_;
    dirty_ = RECT{};
    canvas_.SetClip(area);
    canvas_.Clear();
    document_.root->Paint(canvas_, area);
    GdiFlush();
    if (document_.window.bktrans) {
        SIZE size{canvas_.Width(), canvas_.Height()};
        POINT origin{0, 0};
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        UpdateLayeredWindow(window_, nullptr, nullptr, &size, canvas_.Dc(), &origin, 0, &blend,
                            ULW_ALPHA);
    } else if (dc) {
        BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top,
               canvas_.Dc(), area.left, area.top, SRCCOPY);
    }
}

void SkinView::SetMouseTarget(Control* hot, Control* pressed) {
    Control* previousHot = hot_;
    Control* previousPressed = pressed_;
    hot_ = hot;
    pressed_ = pressed;
    for (Control* control : {previousHot, previousPressed, hot, pressed}) {
        if (control) control->SetMouseState(control == hot_, control == pressed_);
    }
}

bool SkinView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (message) {
        case WM_PAINT:
            Paint();
            return true;
        case WM_SHOWWINDOW:
            // A layered window gets no first paint of its own.
            if (wParam) InvalidateLayout();
            return false;
        case WM_WINDOWPOSCHANGED:
            if (!(reinterpret_cast<WINDOWPOS*>(lParam)->flags & SWP_NOSIZE)) InvalidateLayout();
            return false;
        case WM_TIMER: {
            if (wParam == kRenderTimerId) {
                KillTimer(window_, kRenderTimerId);
                Render(nullptr);
                return true;
            }
            size_t index = wParam - kFirstTimerId;
            if (wParam < kFirstTimerId || index >= timerControls_.size()) return false;
            KillTimer(window_, wParam);
            timerControls_[index]->OnTimer();
            return true;
        }
        case WM_MOUSEMOVE: {
            if (!trackingLeave_) {
                TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window_, 0};
                trackingLeave_ = TrackMouseEvent(&track) != FALSE;
            }
            Control* over = ControlAt(ClientPoint(lParam));
            SetMouseTarget(over && over->IsClickable() ? over : nullptr, pressed_);
            return false;
        }
        case WM_MOUSELEAVE:
            trackingLeave_ = false;
            SetMouseTarget(nullptr, pressed_);
            return false;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            Control* over = ControlAt(ClientPoint(lParam));
            if (!over || !over->IsClickable()) return false;
            SetCapture(window_);
            SetMouseTarget(over, over);
            return true;
        }
        case WM_LBUTTONUP: {
            Control* target = pressed_;
            if (!target) return false;
            Control* over = ControlAt(ClientPoint(lParam));
            SetMouseTarget(over && over->IsClickable() ? over : nullptr, nullptr);
            ReleaseCapture();
            // Last step: the click reaction may close or destroy the window.
            if (over == target) onClick_(target);
            return true;
        }
        case WM_CAPTURECHANGED:
            if (pressed_ && reinterpret_cast<HWND>(lParam) != window_) {
                SetMouseTarget(hot_, nullptr);
            }
            return false;
        default:
            return false;
    }
}

}  // namespace skin
