#pragma once

#include "skin/markup_values.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace skin {

class Canvas;
class Control;

// What a control needs from the window that shows it.
class ControlHost {
  public:
    virtual ~ControlHost() = default;
    virtual void Invalidate(const RECT& area) = 0;
    // Positions must be worked out again before the next paint.
    virtual void InvalidateLayout() = 0;
    virtual HFONT Font(int index) const = 0;
    // Calls control->OnTimer() once after delayMs.
    virtual void StartTimer(Control* control, UINT delayMs) = 0;
};

// A node of a window's control tree, built from a layout element. Positions
// are in window client pixels.
class Control {
  public:
    Control() = default;
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::wstring& GetName() const { return name_; }
    bool IsVisible() const { return visible_; }
    void SetVisible(bool visible);
    // The rectangle given by the last layout pass.
    const RECT& GetPos() const { return rect_; }
    // Places the control at rect from now on, overriding the layout.
    void SetPos(const RECT& rect);

    // Layout markup: applies one attribute of the control's element.
    virtual void SetAttribute(const std::wstring& name, const std::wstring& value);
    void AddChild(std::unique_ptr<Control> child);
    void Attach(ControlHost* host);

    // First control of that name in document order, this one included.
    Control* FindByName(const std::wstring& name);
    // The innermost visible control under point, the last drawn one winning.
    Control* FindAt(POINT point);
    // Controls of this kind take mouse clicks and are never part of a drag area.
    virtual bool IsClickable() const { return false; }
    // Mouse state reported by the window: under the mouse, pressed.
    virtual void SetMouseState(bool hot, bool pressed);
    virtual void OnTimer() {}

    // Works out this control's rectangle from the space its parent offers.
    void Arrange(const RECT& offered);
    void Paint(Canvas& canvas, const RECT& dirty);

  protected:
    friend class VerticalLayout;

    void Invalidate();
    virtual void OnAttached() {}
    virtual void PaintContent(Canvas& canvas);
    // Places the children inside rect_: floating ones at their "pos".
    virtual void ArrangeChildren();
    RECT FloatingRect(const Control& child) const;

    ControlHost* host_ = nullptr;
    std::vector<std::unique_ptr<Control>> children_;
    std::wstring name_;
    bool visible_ = true;
    bool floating_ = false;
    RECT floatPos_{};
    int fixedWidth_ = 0;
    int fixedHeight_ = 0;
    Argb bkColor_ = 0;
    std::wstring bkImage_;
    bool placed_ = false;
    RECT placedRect_{};
    RECT rect_{};
};

}  // namespace skin
