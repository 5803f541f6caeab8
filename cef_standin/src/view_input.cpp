#include "view_input.h"

#include <windowsx.h>

#include <cstdlib>

#include "json_text.h"

namespace cef_standin {
namespace {

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

const char* const kButtonNames[] = {"left", "middle", "right"};

int MouseButtons(WPARAM mouse_keys) {
    return ((mouse_keys & MK_LBUTTON) ? 1 : 0) | ((mouse_keys & MK_RBUTTON) ? 2 : 0) |
           ((mouse_keys & MK_MBUTTON) ? 4 : 0);
}

int ReleasedButton(UINT message) {
    switch (message) {
        case WM_LBUTTONUP:
            return 0;
        case WM_MBUTTONUP:
            return 1;
        case WM_RBUTTONUP:
            return 2;
        default:
            return -1;
    }
}

// The button held during a move, as the page's drag handling expects it.
const char* HeldButton(WPARAM mouse_keys) {
    if (mouse_keys & MK_LBUTTON) return "left";
    if (mouse_keys & MK_MBUTTON) return "middle";
    if (mouse_keys & MK_RBUTTON) return "right";
    return "none";
}

std::string KeyName(int key, uint32_t flags) {
    struct Named {
        int key;
        const char* name;
    };
    static const Named kNamed[] = {
        {VK_RETURN, "Enter"},     {VK_BACK, "Backspace"},  {VK_TAB, "Tab"},
        {VK_ESCAPE, "Escape"},    {VK_LEFT, "ArrowLeft"},  {VK_UP, "ArrowUp"},
        {VK_RIGHT, "ArrowRight"}, {VK_DOWN, "ArrowDown"},  {VK_DELETE, "Delete"},
        {VK_HOME, "Home"},        {VK_END, "End"},         {VK_PRIOR, "PageUp"},
        {VK_NEXT, "PageDown"},    {VK_INSERT, "Insert"},   {VK_SHIFT, "Shift"},
        {VK_CONTROL, "Control"},  {VK_MENU, "Alt"},        {VK_CAPITAL, "CapsLock"},
        {VK_SPACE, " "},          {VK_APPS, "ContextMenu"}};
    for (const Named& named : kNamed) {
        if (named.key == key) return named.name;
    }
    if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
    const bool shift = (flags & EVENTFLAG_SHIFT_DOWN) != 0;
    if (key >= 'A' && key <= 'Z') {
        const bool upper = shift != ((flags & EVENTFLAG_CAPS_LOCK_ON) != 0);
        return std::string(1, static_cast<char>(upper ? key : key - 'A' + 'a'));
    }
    if (key >= '0' && key <= '9' && !shift) return std::string(1, static_cast<char>(key));
    return "Unidentified";
}

}  // namespace

uint32_t CurrentEventFlags(WPARAM mouse_keys) {
    uint32_t flags = 0;
    if (KeyDown(VK_SHIFT)) flags |= EVENTFLAG_SHIFT_DOWN;
    if (KeyDown(VK_CONTROL)) flags |= EVENTFLAG_CONTROL_DOWN;
    if (KeyDown(VK_MENU)) flags |= EVENTFLAG_ALT_DOWN;
    if (GetKeyState(VK_CAPITAL) & 1) flags |= EVENTFLAG_CAPS_LOCK_ON;
    if (GetKeyState(VK_NUMLOCK) & 1) flags |= EVENTFLAG_NUM_LOCK_ON;
    if (mouse_keys & MK_LBUTTON) flags |= EVENTFLAG_LEFT_MOUSE_BUTTON;
    if (mouse_keys & MK_MBUTTON) flags |= EVENTFLAG_MIDDLE_MOUSE_BUTTON;
    if (mouse_keys & MK_RBUTTON) flags |= EVENTFLAG_RIGHT_MOUSE_BUTTON;
    return flags;
}

int InputModifiers(uint32_t flags) {
    return ((flags & EVENTFLAG_ALT_DOWN) ? 1 : 0) | ((flags & EVENTFLAG_CONTROL_DOWN) ? 2 : 0) |
           ((flags & EVENTFLAG_COMMAND_DOWN) ? 4 : 0) | ((flags & EVENTFLAG_SHIFT_DOWN) ? 8 : 0);
}

int ClickCounter::Press(int button, POINT point, DWORD time) {
    const bool repeated = button == button_ && count_ > 0 && time - time_ <= GetDoubleClickTime() &&
                          std::abs(point.x - point_.x) * 2 <= GetSystemMetrics(SM_CXDOUBLECLK) &&
                          std::abs(point.y - point_.y) * 2 <= GetSystemMetrics(SM_CYDOUBLECLK);
    count_ = repeated ? count_ + 1 : 1;
    button_ = button;
    point_ = point;
    time_ = time;
    return count_;
}

int PressedButton(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            return 0;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            return 1;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            return 2;
        default:
            return -1;
    }
}

std::string MouseEventParams(UINT message, WPARAM wparam, LPARAM, POINT point, int click_count,
                             uint32_t flags) {
    const WPARAM keys = GET_KEYSTATE_WPARAM(wparam);
    std::string type;
    std::string button = "none";
    std::string extra;
    const int pressed = PressedButton(message);
    const int released = ReleasedButton(message);
    if (pressed >= 0 || released >= 0) {
        type = pressed >= 0 ? "mousePressed" : "mouseReleased";
        button = kButtonNames[pressed >= 0 ? pressed : released];
        extra = ",\"clickCount\":" + std::to_string(click_count);
    } else if (message == WM_MOUSEMOVE) {
        type = "mouseMoved";
        button = HeldButton(keys);
    } else if (message == WM_MOUSEWHEEL || message == WM_MOUSEHWHEEL) {
        type = "mouseWheel";
        const int delta = GET_WHEEL_DELTA_WPARAM(wparam) * 100 / WHEEL_DELTA;
        const bool vertical = message == WM_MOUSEWHEEL;
        extra = ",\"deltaX\":" + std::to_string(vertical ? 0 : delta) +
                ",\"deltaY\":" + std::to_string(vertical ? -delta : 0);
    } else {
        return "";
    }
    return "{\"type\":\"" + type + "\",\"x\":" + std::to_string(point.x) +
           ",\"y\":" + std::to_string(point.y) + ",\"button\":\"" + button +
           "\",\"buttons\":" + std::to_string(MouseButtons(keys)) +
           ",\"modifiers\":" + std::to_string(InputModifiers(flags)) + extra + "}";
}

bool KeyEventFromMessage(UINT message, WPARAM wparam, LPARAM lparam, uint32_t flags,
                         CefKeyEvent& event) {
    event = CefKeyEvent();
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            event.type = KEYEVENT_RAWKEYDOWN;
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            event.type = KEYEVENT_KEYUP;
            break;
        case WM_CHAR:
        case WM_SYSCHAR:
            event.type = KEYEVENT_CHAR;
            event.character = static_cast<char16>(wparam);
            event.unmodified_character = static_cast<char16>(wparam);
            break;
        default:
            return false;
    }
    event.windows_key_code = static_cast<int>(wparam);
    event.native_key_code = static_cast<int>(lparam);
    event.is_system_key =
        message == WM_SYSKEYDOWN || message == WM_SYSKEYUP || message == WM_SYSCHAR;
    event.modifiers = flags;
    if (event.type != KEYEVENT_KEYUP && (lparam & (1 << 30))) {
        event.modifiers |= EVENTFLAG_IS_REPEAT;
    }
    if (event.type != KEYEVENT_CHAR && wparam >= VK_NUMPAD0 && wparam <= VK_DIVIDE) {
        event.modifiers |= EVENTFLAG_IS_KEY_PAD;
    }
    return true;
}

std::string KeyEventParams(const CefKeyEvent& event, const std::string& text) {
    std::string params;
    switch (event.type) {
        case KEYEVENT_CHAR:
            params = "{\"type\":\"char\",\"text\":" + JsonQuote(text) +
                     ",\"unmodifiedText\":" + JsonQuote(text);
            break;
        case KEYEVENT_KEYUP:
            params = "{\"type\":\"keyUp\"";
            break;
        default:
            params = "{\"type\":\"rawKeyDown\"";
            break;
    }
    if (event.type != KEYEVENT_CHAR) {
        params += ",\"key\":" + JsonQuote(KeyName(event.windows_key_code, event.modifiers)) +
                  ",\"windowsVirtualKeyCode\":" + std::to_string(event.windows_key_code) +
                  ",\"nativeVirtualKeyCode\":" + std::to_string(event.windows_key_code);
    }
    params += ",\"modifiers\":" + std::to_string(InputModifiers(event.modifiers));
    if (event.is_system_key) params += ",\"isSystemKey\":true";
    if (event.modifiers & EVENTFLAG_IS_REPEAT) params += ",\"autoRepeat\":true";
    if (event.modifiers & EVENTFLAG_IS_KEY_PAD) params += ",\"isKeypad\":true";
    return params + "}";
}

}  // namespace cef_standin
