#pragma once

#include <windows.h>

namespace skin {

// Soft drop shadow around a window: a click-through layered window kept just
// behind it, its rim as wide on each side as the given widths.
class WindowShadow {
  public:
    explicit WindowShadow(const RECT& widths);
    ~WindowShadow();
    WindowShadow(const WindowShadow&) = delete;
    WindowShadow& operator=(const WindowShadow&) = delete;

    // Places the shadow behind target after it moved, resized, showed or hid.
    void Follow(HWND target);

  private:
    void Render(int width, int height);

    RECT widths_;
    HWND hwnd_ = nullptr;
    SIZE rendered_{};
};

}  // namespace skin
