// The browser window as a user sees and uses it, under Wine and Xvfb against
// the loopback server: the page drawn into the window at the window's size,
// mouse and keys reaching the page through the client's keyboard handler,
// the context menu as a real popup menu, and the developer tools window.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "include/cef_app.h"
#include "screen_pixels.h"
#include "view_client.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 400;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kCyan = RGB(0, 255, 255);
constexpr COLORREF kMagenta = RGB(255, 0, 255);

std::string ServerUrl() {
    const char* server = std::getenv("HLVN_TEST_SERVER");
    return server ? server : "";
}

LPARAM Point(int x, int y) { return MAKELPARAM(x, y); }

class ViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        parent_ = CreateWindowExW(0, L"STATIC", L"view test", WS_POPUP | WS_VISIBLE, 0, 0, 900, 700,
                                  nullptr, nullptr, nullptr, nullptr);
        SetForegroundWindow(parent_);
        client_ = new ViewClient();
    }

    void TearDown() override {
        if (CefRefPtr<CefBrowser> browser = client_->browser()) {
            browser->GetHost()->CloseBrowser(true);
            client_->WaitUntil([&] { return !client_->Texts("closed").empty(); });
        }
        DestroyWindow(parent_);
    }

    // Makes the browser on |path| and waits until the window shows the page,
    // whose top left corner has the colour |corner|.
    void Open(const std::string& path, COLORREF corner) {
        CefWindowInfo info;
        info.SetAsChild(parent_, CefRect(0, 0, kWidth, kHeight));
        ASSERT_TRUE(CefBrowserHost::CreateBrowser(info, client_.get(), ServerUrl() + path,
                                                  CefBrowserSettings(), nullptr, nullptr));
        ASSERT_TRUE(client_->WaitUntil([&] { return client_->browser() != nullptr; }));
        window_ = client_->browser()->GetHost()->GetWindowHandle();
        ASSERT_TRUE(WaitForColour(50, 50, corner)) << path;
    }

    bool WaitForColour(int x, int y, COLORREF colour) {
        return client_->WaitUntil([&] { return ShowsColour(window_, x, y, colour); });
    }

    void Click(UINT down, UINT up, int x, int y, WPARAM keys) {
        PostMessageW(window_, down, keys, Point(x, y));
        PostMessageW(window_, up, 0, Point(x, y));
    }

    // Presses and releases the keys of |text| (lower-case letters, digits);
    // the window's message loop makes the characters, as from keystrokes.
    void Type(const std::string& text) {
        for (char c : text) Press(static_cast<WPARAM>(toupper(static_cast<unsigned char>(c))));
    }

    // The key goes up once its character was made, as with a keystroke.
    void Press(WPARAM key) {
        auto characters = [&] {
            size_t count = 0;
            for (const KeyRecord& record : client_->Keys()) {
                count += record.pre && record.type == KEYEVENT_CHAR;
            }
            return count;
        };
        const size_t before = characters();
        PostMessageW(window_, WM_KEYDOWN, key, 1);
        client_->WaitUntil([&] { return characters() > before; }, 5);
        PostMessageW(window_, WM_KEYUP, key, 0xC0000001);
    }

    // The visible popup menu window, or null.
    static HWND PopupMenu() {
        HWND menu = FindWindowW(L"#32768", nullptr);
        return menu && IsWindowVisible(menu) ? menu : nullptr;
    }

    HWND parent_ = nullptr;
    HWND window_ = nullptr;
    CefRefPtr<ViewClient> client_;
};

TEST_F(ViewTest, PaintsThePageIntoTheWindow) {
    Open("/colours.html", kRed);
    struct Sample {
        int x;
        int y;
        COLORREF colour;
    };
    const Sample samples[] = {
        {kWidth / 4, kHeight / 4, kRed},
        {kWidth * 3 / 4 - 20, kHeight / 4, kGreen},
        {kWidth / 4, kHeight * 3 / 4, kBlue},
        {kWidth * 3 / 4 - 20, kHeight * 3 / 4, kYellow},
        {kWidth - 10, kHeight / 2, kBlack},
        {kWidth / 2 - 12, kHeight / 2 - 12, kRed},
        {kWidth / 2 + 12, kHeight / 2 + 12, kYellow},
    };
    for (const Sample& s : samples) {
        EXPECT_TRUE(WaitForColour(s.x, s.y, s.colour))
            << s.x << "," << s.y << " shows " << std::hex << ScreenPixel(window_, s.x, s.y);
    }
}

TEST_F(ViewTest, PageFollowsTheWindowSize) {
    Open("/colours.html", kRed);
    ASSERT_TRUE(WaitForColour(kWidth - 10, 10, kBlack));
    struct Size {
        int width;
        int height;
    };
    for (const Size& size : {Size{400, 300}, Size{800, 600}}) {
        SetWindowPos(window_, nullptr, 0, 0, size.width, size.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        // The edge bar is 20 pixels wide at any size: the viewport is the
        // client area at scale 1.
        EXPECT_TRUE(WaitForColour(size.width - 6, 10, kBlack)) << size.width;
        EXPECT_TRUE(WaitForColour(size.width - 40, 10, kGreen)) << size.width;
        EXPECT_TRUE(WaitForColour(size.width / 4, size.height * 3 / 4, kBlue)) << size.width;
        EXPECT_TRUE(WaitForColour(size.width * 3 / 4 - 20, size.height * 3 / 4, kYellow))
            << size.width;
    }
}

TEST_F(ViewTest, HiddenBrowserStillLoadsAndShowsItAgain) {
    Open("/colours.html", kRed);
    ShowWindow(window_, SW_HIDE);
    client_->browser()->GetMainFrame()->LoadURL(ServerUrl() + "/plain.html?hidden");
    EXPECT_TRUE(client_->WaitForText("load", "/plain.html?hidden"));
    ShowWindow(window_, SW_SHOW);
    EXPECT_TRUE(WaitForColour(kWidth / 4, kHeight / 4, kCyan));
}

TEST_F(ViewTest, ClickOnALinkNavigatesThroughOnBeforeBrowse) {
    Open("/input.html", kMagenta);
    Click(WM_LBUTTONDOWN, WM_LBUTTONUP, 50, 50, MK_LBUTTON);
    EXPECT_TRUE(client_->WaitForText("browse", "/plain.html?from=link"));
    EXPECT_TRUE(client_->WaitForText("load", "/plain.html?from=link"));
    EXPECT_TRUE(WaitForColour(kWidth / 2, kHeight / 2, kCyan));
}

TEST_F(ViewTest, MouseEventsReachThePage) {
    Open("/input.html", kMagenta);
    struct Case {
        UINT down;
        UINT up;
        WPARAM keys;
        const char* report;
    };
    const Case cases[] = {
        {WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, "down%200%201%2010%2020"},
        {WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON, "down%201%201%2010%2020"},
    };
    for (const Case& c : cases) {
        Click(c.down, c.up, 310, 20, c.keys);
        EXPECT_TRUE(client_->WaitForText("request", c.report)) << c.report;
        Click(c.down, c.up, 400, 100, c.keys);  // away from the first, no double click
    }
    Click(WM_LBUTTONDOWN, WM_LBUTTONUP, 350, 50, MK_LBUTTON);
    Click(WM_LBUTTONDOWN, WM_LBUTTONUP, 350, 50, MK_LBUTTON);
    EXPECT_TRUE(client_->WaitForText("request", "down%200%202"));
    EXPECT_TRUE(client_->WaitForText("request", "dblclick%202"));
    PostMessageW(window_, WM_MOUSEMOVE, 0, Point(377, 88));
    EXPECT_TRUE(client_->WaitForText("request", "move%2077%2088"));
    POINT screen{350, 50};
    ClientToScreen(window_, &screen);
    PostMessageW(window_, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
                 MAKELPARAM(screen.x, screen.y));
    EXPECT_TRUE(client_->WaitForText("request", "wheel%20100"));
}

TEST_F(ViewTest, TypingFillsATextField) {
    Open("/input.html", kMagenta);
    Click(WM_LBUTTONDOWN, WM_LBUTTONUP, 100, 170, MK_LBUTTON);
    GUITHREADINFO gui{};
    gui.cbSize = sizeof(gui);
    const DWORD ui_thread = GetWindowThreadProcessId(window_, nullptr);
    EXPECT_TRUE(client_->WaitUntil(
        [&] { return GetGUIThreadInfo(ui_thread, &gui) && gui.hwndFocus == window_; }));
    Type("abc123");
    Press(VK_RETURN);
    EXPECT_TRUE(client_->WaitForText("request", "value%20abc123"));
}

TEST_F(ViewTest, KeysGoToTheKeyboardHandlerFirst) {
    Open("/input.html", kMagenta);
    Click(WM_LBUTTONDOWN, WM_LBUTTONUP, 100, 170, MK_LBUTTON);
    client_->Forget();
    Type("a");
    ASSERT_TRUE(client_->WaitForText("request", "keydown%20a%2065"));
    ASSERT_TRUE(client_->WaitUntil([&] { return client_->Keys().size() >= 6; }));
    struct Expected {
        cef_key_event_type_t type;
        int code;
    };
    const Expected expected[] = {
        {KEYEVENT_RAWKEYDOWN, 'A'}, {KEYEVENT_CHAR, 'a'}, {KEYEVENT_KEYUP, 'A'}};
    std::vector<KeyRecord> pre;
    std::vector<KeyRecord> after;
    for (const KeyRecord& key : client_->Keys()) (key.pre ? pre : after).push_back(key);
    ASSERT_EQ(pre.size(), 3u);
    ASSERT_EQ(after.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(pre[i].type, expected[i].type) << i;
        EXPECT_EQ(pre[i].windows_key_code, expected[i].code) << i;
        EXPECT_EQ(after[i].type, expected[i].type) << i;
    }
}

TEST_F(ViewTest, AKeyTheHandlerTakesDoesNotReachThePage) {
    client_->consumed_key = 'B';
    Open("/input.html", kMagenta);
    Click(WM_LBUTTONDOWN, WM_LBUTTONUP, 100, 170, MK_LBUTTON);
    Type("abc");
    Press(VK_RETURN);
    EXPECT_TRUE(client_->WaitForText("request", "value%20ac"));
    EXPECT_FALSE(client_->WaitForText("request", "keydown%20b", 0));
}

TEST_F(ViewTest, ContextMenuShowsTheHandlersModelAsAPopupMenu) {
    client_->menu_items = {{26501, "Alpha"}, {26502, "Beta"}};
    Open("/input.html", kMagenta);
    Click(WM_RBUTTONDOWN, WM_RBUTTONUP, 50, 50, MK_RBUTTON);
    ASSERT_TRUE(client_->WaitUntil([] { return PopupMenu() != nullptr; }));
    const std::vector<std::string> defaults = client_->Texts("menu");
    ASSERT_EQ(defaults.size(), 1u);
    EXPECT_EQ(defaults[0], "Back|Forward||Reload|");
    EXPECT_EQ(client_->Texts("menu-at")[0], "50,50 " + ServerUrl() + "/plain.html?from=link");
    HWND popup = PopupMenu();
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    ASSERT_TRUE(menu);
    ASSERT_EQ(GetMenuItemCount(menu), 2);
    const wchar_t* const labels[] = {L"Alpha", L"Beta"};
    for (int i = 0; i < 2; ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
        EXPECT_STREQ(text, labels[i]);
    }
    PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(client_->WaitForText("command", "26502"));
    EXPECT_TRUE(client_->WaitUntil([] { return PopupMenu() == nullptr; }));
    EXPECT_EQ(client_->Texts("command").size(), 1u);
}

TEST_F(ViewTest, AnEmptyModelShowsNoMenu) {
    Open("/input.html", kMagenta);
    Click(WM_RBUTTONDOWN, WM_RBUTTONUP, 350, 50, MK_RBUTTON);
    ASSERT_TRUE(client_->WaitForText("menu", "Back"));
    // A message sent to the window is taken after the menu step has ended
    // or, while a menu runs, inside its loop.
    SendMessageW(window_, WM_NULL, 0, 0);
    EXPECT_EQ(PopupMenu(), nullptr);
    EXPECT_TRUE(client_->Texts("command").empty());
}

TEST_F(ViewTest, DevToolsOpenInTheirOwnWindowUntilClosed) {
    Open("/colours.html", kRed);
    CefWindowInfo info;
    info.SetAsPopup(nullptr, "View test tools");
    info.bounds = CefRect(40, 60, 900, 600);
    CefRefPtr<CefBrowserHost> host = client_->browser()->GetHost();
    host->ShowDevTools(info, client_.get(), CefBrowserSettings(), CefPoint());
    HWND tools = nullptr;
    ASSERT_TRUE(client_->WaitUntil([&] { return host->HasDevTools(); }));
    tools = FindWindowW(nullptr, L"View test tools");
    ASSERT_TRUE(tools);
    RECT rect{};
    GetWindowRect(tools, &rect);
    EXPECT_EQ(rect.left, 40);
    EXPECT_EQ(rect.top, 60);
    EXPECT_EQ(rect.right - rect.left, 900);
    EXPECT_NE(GetWindowLongW(tools, GWL_STYLE) & WS_OVERLAPPEDWINDOW, 0);
    // The front end draws dark text on a light background: some pixels of
    // the window's top part become dark once it is drawn.
    EXPECT_TRUE(client_->WaitUntil(
        [&] {
            for (COLORREF c : ScreenArea(tools, RECT{0, 0, 400, 60})) {
                if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 200) return true;
            }
            return false;
        },
        30));
    PostMessageW(tools, WM_CLOSE, 0, 0);
    EXPECT_TRUE(client_->WaitUntil([&] { return !host->HasDevTools(); }));
    EXPECT_FALSE(IsWindow(tools));
}

}  // namespace
