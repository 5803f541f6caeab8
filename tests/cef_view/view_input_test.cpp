// Window messages of a browser window as CEF key events and as the DevTools
// protocol's input events.
#include <windows.h>

#include <gtest/gtest.h>

#include <rapidjson/document.h>

#include <string>

#include "view_input.h"

namespace {

using cef_standin::ClickCounter;
using cef_standin::KeyEventFromMessage;
using cef_standin::KeyEventParams;
using cef_standin::MouseEventParams;

rapidjson::Document Parse(const std::string& text) {
    rapidjson::Document document;
    document.Parse(text.c_str());
    return document;
}

TEST(MouseEventParams, TranslatesMessages) {
    struct Case {
        UINT message;
        WPARAM wparam;
        uint32_t flags;
        const char* type;
        const char* button;
        int buttons;
        int modifiers;
    };
    const Case cases[] = {
        {WM_LBUTTONDOWN, MK_LBUTTON, 0, "mousePressed", "left", 1, 0},
        {WM_LBUTTONUP, 0, 0, "mouseReleased", "left", 0, 0},
        {WM_RBUTTONDOWN, MK_RBUTTON, EVENTFLAG_SHIFT_DOWN, "mousePressed", "right", 2, 8},
        {WM_MBUTTONUP, MK_LBUTTON, EVENTFLAG_CONTROL_DOWN, "mouseReleased", "middle", 1, 2},
        {WM_LBUTTONDBLCLK, MK_LBUTTON, EVENTFLAG_ALT_DOWN, "mousePressed", "left", 1, 1},
        {WM_MOUSEMOVE, 0, 0, "mouseMoved", "none", 0, 0},
        {WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, 0, "mouseMoved", "left", 3, 0},
        {WM_MOUSEMOVE, MK_MBUTTON, EVENTFLAG_SHIFT_DOWN | EVENTFLAG_ALT_DOWN, "mouseMoved",
         "middle", 4, 9},
    };
    for (const Case& c : cases) {
        const rapidjson::Document params =
            Parse(MouseEventParams(c.message, c.wparam, 0, POINT{12, 34}, 2, c.flags));
        ASSERT_TRUE(params.IsObject()) << c.message;
        EXPECT_STREQ(params["type"].GetString(), c.type) << c.message;
        EXPECT_STREQ(params["button"].GetString(), c.button) << c.message;
        EXPECT_EQ(params["buttons"].GetInt(), c.buttons) << c.message;
        EXPECT_EQ(params["modifiers"].GetInt(), c.modifiers) << c.message;
        EXPECT_EQ(params["x"].GetInt(), 12);
        EXPECT_EQ(params["y"].GetInt(), 34);
        const bool is_click = c.message != WM_MOUSEMOVE;
        EXPECT_EQ(params.HasMember("clickCount"), is_click) << c.message;
        if (is_click) {
            EXPECT_EQ(params["clickCount"].GetInt(), 2);
        }
    }
}

TEST(MouseEventParams, WheelNotchesBecomeScrollDeltas) {
    struct Case {
        UINT message;
        short delta;
        int delta_x;
        int delta_y;
    };
    const Case cases[] = {
        {WM_MOUSEWHEEL, -WHEEL_DELTA, 0, 100},
        {WM_MOUSEWHEEL, 2 * WHEEL_DELTA, 0, -200},
        {WM_MOUSEHWHEEL, WHEEL_DELTA, 100, 0},
    };
    for (const Case& c : cases) {
        const WPARAM wparam = MAKEWPARAM(0, static_cast<WORD>(c.delta));
        const rapidjson::Document params =
            Parse(MouseEventParams(c.message, wparam, 0, POINT{1, 2}, 1, 0));
        ASSERT_TRUE(params.IsObject());
        EXPECT_STREQ(params["type"].GetString(), "mouseWheel");
        EXPECT_EQ(params["deltaX"].GetInt(), c.delta_x) << c.delta;
        EXPECT_EQ(params["deltaY"].GetInt(), c.delta_y) << c.delta;
    }
}

TEST(MouseEventParams, OtherMessagesAreNoMouseEvents) {
    for (UINT message : {WM_KEYDOWN, WM_PAINT, WM_SETCURSOR}) {
        EXPECT_EQ(MouseEventParams(message, 0, 0, POINT{}, 1, 0), "") << message;
    }
}

TEST(ClickCounter, CountsRepeatedPressesOfOneButtonInPlaceAndTime) {
    const DWORD slow = GetDoubleClickTime() + 1;
    const int distant = GetSystemMetrics(SM_CXDOUBLECLK) + 2;
    struct Press {
        int button;
        POINT point;
        DWORD time;
        int count;
    };
    const Press presses[] = {
        {0, {10, 10}, 1000, 1},
        {0, {10, 10}, 1100, 2},
        {0, {11, 10}, 1200, 3},
        {0, {11, 10}, 1200 + slow, 1},
        {2, {11, 10}, 1300 + slow, 1},
        {0, {11, 10}, 1400 + slow, 1},
        {0, {11 + distant, 10}, 1500 + slow, 1},
    };
    ClickCounter counter;
    for (const Press& p : presses) {
        EXPECT_EQ(counter.Press(p.button, p.point, p.time), p.count) << p.time;
    }
}

TEST(KeyEventFromMessage, GivesCefTypesAndCodes) {
    struct Case {
        UINT message;
        WPARAM wparam;
        LPARAM lparam;
        cef_key_event_type_t type;
        bool system;
        uint32_t extra_flags;
    };
    const Case cases[] = {
        {WM_KEYDOWN, 'A', 0x001E0001, KEYEVENT_RAWKEYDOWN, false, 0},
        {WM_KEYDOWN, 'A', 0x401E0001, KEYEVENT_RAWKEYDOWN, false, EVENTFLAG_IS_REPEAT},
        {WM_KEYUP, 'A', static_cast<LPARAM>(0xC01E0001), KEYEVENT_KEYUP, false, 0},
        {WM_CHAR, 'a', 0x001E0001, KEYEVENT_CHAR, false, 0},
        {WM_SYSKEYDOWN, VK_F4, 0x203E0001, KEYEVENT_RAWKEYDOWN, true, 0},
        {WM_SYSCHAR, 'x', 0x202D0001, KEYEVENT_CHAR, true, 0},
        {WM_KEYDOWN, VK_NUMPAD5, 0x004C0001, KEYEVENT_RAWKEYDOWN, false, EVENTFLAG_IS_KEY_PAD},
    };
    for (const Case& c : cases) {
        CefKeyEvent event;
        ASSERT_TRUE(
            KeyEventFromMessage(c.message, c.wparam, c.lparam, EVENTFLAG_SHIFT_DOWN, event));
        EXPECT_EQ(event.type, c.type) << c.message;
        EXPECT_EQ(event.windows_key_code, static_cast<int>(c.wparam)) << c.message;
        EXPECT_EQ(event.native_key_code, static_cast<int>(c.lparam)) << c.message;
        EXPECT_EQ(event.is_system_key != 0, c.system) << c.message;
        EXPECT_EQ(event.modifiers, EVENTFLAG_SHIFT_DOWN | c.extra_flags) << c.message;
        const char16 character = c.type == KEYEVENT_CHAR ? static_cast<char16>(c.wparam) : 0;
        EXPECT_EQ(event.character, character) << c.message;
    }
    CefKeyEvent event;
    EXPECT_FALSE(KeyEventFromMessage(WM_MOUSEMOVE, 0, 0, 0, event));
}

TEST(KeyEventParams, DescribesTheKeyToThePage) {
    struct Case {
        cef_key_event_type_t type;
        int code;
        uint32_t flags;
        const char* text;
        const char* expected_type;
        const char* key;  // null for a character event
        int modifiers;
    };
    const Case cases[] = {
        {KEYEVENT_RAWKEYDOWN, 'A', 0, "", "rawKeyDown", "a", 0},
        {KEYEVENT_RAWKEYDOWN, 'A', EVENTFLAG_SHIFT_DOWN, "", "rawKeyDown", "A", 8},
        {KEYEVENT_RAWKEYDOWN, 'A', EVENTFLAG_CAPS_LOCK_ON, "", "rawKeyDown", "A", 0},
        {KEYEVENT_KEYUP, VK_RETURN, EVENTFLAG_CONTROL_DOWN, "", "keyUp", "Enter", 2},
        {KEYEVENT_RAWKEYDOWN, VK_F2, 0, "", "rawKeyDown", "F2", 0},
        {KEYEVENT_RAWKEYDOWN, VK_LEFT, EVENTFLAG_ALT_DOWN, "", "rawKeyDown", "ArrowLeft", 1},
        {KEYEVENT_RAWKEYDOWN, '7', 0, "", "rawKeyDown", "7", 0},
        {KEYEVENT_CHAR, 0x4E2D, 0, "\xE4\xB8\xAD", "char", nullptr, 0},
    };
    for (const Case& c : cases) {
        CefKeyEvent event;
        event.type = c.type;
        event.windows_key_code = c.code;
        event.modifiers = c.flags;
        const rapidjson::Document params = Parse(KeyEventParams(event, c.text));
        ASSERT_TRUE(params.IsObject()) << c.code;
        EXPECT_STREQ(params["type"].GetString(), c.expected_type) << c.code;
        EXPECT_EQ(params["modifiers"].GetInt(), c.modifiers) << c.code;
        if (c.key) {
            EXPECT_STREQ(params["key"].GetString(), c.key) << c.code;
            EXPECT_EQ(params["windowsVirtualKeyCode"].GetInt(), c.code) << c.code;
        } else {
            EXPECT_STREQ(params["text"].GetString(), c.text);
            EXPECT_FALSE(params.HasMember("windowsVirtualKeyCode"));
        }
    }
}

}  // namespace
