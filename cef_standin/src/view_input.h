// Translation of the browser window's mouse and key messages into CEF's key
// events and the DevTools protocol's input events.
#ifndef CEF_STANDIN_SRC_VIEW_INPUT_H_
#define CEF_STANDIN_SRC_VIEW_INPUT_H_

#include <windows.h>

#include <cstdint>
#include <string>

#include "include/internal/cef_types_wrappers.h"

namespace cef_standin {

// EVENTFLAG_* bits of the keyboard state now and the mouse buttons of |mouse_keys|
// (the MK_* bits of a mouse message).
uint32_t CurrentEventFlags(WPARAM mouse_keys);

// The "modifiers" value of an input event for EVENTFLAG_* bits.
int InputModifiers(uint32_t flags);

// Counts presses of the same button close in time and place as double and
// triple clicks, as the system's double-click settings say.
class ClickCounter {
  public:
    int Press(int button, POINT point, DWORD time);

  private:
    int button_ = -1;
    POINT point_{};
    DWORD time_ = 0;
    int count_ = 0;
};

// The parameters of Input.dispatchMouseEvent for mouse |message| at |point|
// (client coordinates), or "" for a message that is not a mouse event of the
// page. |click_count| applies to presses and releases.
std::string MouseEventParams(UINT message, WPARAM wparam, LPARAM lparam, POINT point,
                             int click_count, uint32_t flags);

// The button (0 left, 1 middle, 2 right) that |message| presses, or -1.
int PressedButton(UINT message);

// CEF's key event for a key or character message; false for other messages.
bool KeyEventFromMessage(UINT message, WPARAM wparam, LPARAM lparam, uint32_t flags,
                         CefKeyEvent& event);

// The parameters of Input.dispatchKeyEvent for |event|; |text| is the UTF-8
// text of a character event.
std::string KeyEventParams(const CefKeyEvent& event, const std::string& text);

}  // namespace cef_standin

#endif  // CEF_STANDIN_SRC_VIEW_INPUT_H_
