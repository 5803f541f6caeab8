#pragma once

#include "skin/canvas.h"
#include "skin/control.h"
#include "skin/layout_document.h"

#include <windows.h>

#include <functional>
#include <vector>

namespace skin {

// The control tree of one window: lays it out on the client area, paints it
// (through UpdateLayeredWindow when the background is transparent), tracks the
// mouse over buttons, reports clicks and runs the controls' timers.
class SkinView : public ControlHost {
  public:
    using ClickHandler = std::function<void(Control*)>;

    SkinView(HWND window, LayoutDocument document, ClickHandler onClick);
    ~SkinView() override;

    const WindowAttributes& Attributes() const { return document_.window; }
    // Positions are up to date for the window's current size.
    Control* FindControl(const std::wstring& name);
    // The control under a client point, after bringing the layout up to date.
    Control* ControlAt(POINT point);

    // The toolkit's own processing of a window message; true when consumed.
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // ControlHost
    void Invalidate(const RECT& area) override;
    void InvalidateLayout() override;
    HFONT Font(int index) const override;
    void StartTimer(Control* control, UINT delayMs) override;

  private:
    void UpdateLayout();
    void Paint();
    // Draws what is dirty onto dc, or onto the layered window.
    void Render(HDC dc);
    void SetMouseTarget(Control* hot, Control* pressed);

    HWND window_;
    LayoutDocument document_;
    ClickHandler onClick_;
    Canvas canvas_;
    bool layoutValid_ = false;
    SIZE laidOutSize_{};
    RECT dirty_{};
    Control* hot_ = nullptr;
    Control* pressed_ = nullptr;
    bool trackingLeave_ = false;
    std::vector<Control*> timerControls_;
};

}  // namespace skin
