#include "skin/gif_anim.h"
#include "skin/image.h"
#include "skin/layout_document.h"
#include "skin/markup_values.h"
#include "skin/message_loop.h"
#include "skin/skin_package.h"
#include "skin/zip_archive.h"
#include "test_window.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <windows.h>

#include <memory>
#include <string>

namespace {

class ComEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { CoInitialize(nullptr); }
    void TearDown() override { CoUninitialize(); }
};
const auto* const kCom = ::testing::AddGlobalTestEnvironment(new ComEnvironment);

// Destroys the window of a test window when the test ends.
struct WindowCloser {
    TestWindow* window;
    ~WindowCloser() {
        if (IsWindow(window->GetHWND())) DestroyWindow(window->GetHWND());
        delete window;
    }
};

RECT WindowRect(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return r;
}

RECT WorkArea(HWND hwnd) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

TEST(MarkupValues, ColoursInBothFormsWithOptionalAlpha) {
    struct Case {
        const wchar_t* text;
        bool ok;
        skin::Argb color;
    } cases[] = {
        {L"#CCCCCC", true, 0xFFCCCCCC},
        {L"0xff333333", true, 0xFF333333},
        {L"#80102030", true, 0x80102030},
        {L"0x00FFFFFF", true, 0x00FFFFFF},
        {L"0X123456", true, 0xFF123456},
        {L"CCCCCC", false, 0},
        {L"#CCCCC", false, 0},
        {L"#GGGGGG", false, 0},
    };
    for (const Case& c : cases) {
        skin::Argb color = 0;
        EXPECT_EQ(skin::ParseColor(c.text, color), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(color, c.color) << c.text;
        }
    }
}

TEST(MarkupValues, RectanglesSizesAndImageReferences) {
    EXPECT_EQ(skin::ParseRect(L"1149,114,1189,154"), (RECT{1149, 114, 1189, 154}));
    EXPECT_EQ(skin::ParseRect(L"3, 3, 3, 3"), (RECT{3, 3, 3, 3}));
    EXPECT_EQ(skin::ParseRect(L"0,0"), (RECT{0, 0, 0, 0}));
    SIZE size = skin::ParseSize(L"1241,665");
    EXPECT_EQ(size.cx, 1241);
    EXPECT_EQ(size.cy, 665);
    EXPECT_EQ(skin::ImageFileName(L"file='btn_min.png'"), L"btn_min.png");
    EXPECT_EQ(skin::ImageFileName(L"file='a.png' corner='2,2,2,2'"), L"a.png");
    EXPECT_EQ(skin::ImageFileName(L"loginBkg.png"), L"loginBkg.png");
}

// The package resource of this executable, copied so that it can be damaged.
std::string PackageBytes() {
    HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(129), L"ZIPRES");
    if (!resource) return std::string();
    const char* data = static_cast<const char*>(LockResource(LoadResource(nullptr, resource)));
    return std::string(data, SizeofResource(nullptr, resource));
}

TEST(ZipArchive, ReadsEveryPackageEntryAndRefusesDamage) {
    std::string bytes = PackageBytes();
    ASSERT_FALSE(bytes.empty());
    skin::ZipArchive archive;
    ASSERT_TRUE(archive.Open(bytes.data(), bytes.size()));
    EXPECT_EQ(archive.EntryCount(), 29u);
    std::string layout;
    ASSERT_TRUE(archive.Read("MainWnd.xml", layout));
    EXPECT_EQ(layout.rfind("<?xml", 0), 0u);
    EXPECT_NE(layout.find("encoding=\"utf-8\" standalone=\"yes\""), std::string::npos);
    std::string unused;
    EXPECT_FALSE(archive.Read("missing.xml", unused));
    EXPECT_FALSE(archive.Read("mainwnd.xml", unused));

    // Flip a byte inside the packed data of the layout: its checksum no longer matches.
    size_t entry = bytes.find("MainWnd.xml");
    ASSERT_NE(entry, std::string::npos);
    bytes[entry + 11 + 40] ^= 0x55;
    skin::ZipArchive damaged;
    ASSERT_TRUE(damaged.Open(bytes.data(), bytes.size()));
    EXPECT_FALSE(damaged.Read("MainWnd.xml", unused));
    EXPECT_TRUE(damaged.Read("GameWnd.xml", unused));

    skin::ZipArchive notZip;
    EXPECT_FALSE(notZip.Open("not an archive at all, just text", 32));
}

TEST(Package, EveryLayoutBuildsAndEveryPictureDecodes) {
    ASSERT_TRUE(skin::OpenPackage(129));
    for (const wchar_t* name :
         {L"MainWnd.xml", L"GameWnd.xml", L"BrowserWnd.xml", L"CustomMsgBox.xml"}) {
        std::string markup;
        ASSERT_TRUE(skin::ReadPackageFile(name, markup));
        skin::LayoutDocument document;
        EXPECT_TRUE(skin::ParseLayout(markup, document)) << "layout does not build";
        ASSERT_NE(document.root, nullptr);
        EXPECT_NE(document.root->FindByName(L"verLayout"), nullptr);
    }
    struct Picture {
        const wchar_t* name;
        int width;
        int height;
        bool animated;
    } pictures[] = {
        {L"loginBkg.png", 1241, 667, false}, {L"login.gif", 307, 387, true},
        {L"btn_min.png", 36, 36, false},     {L"btn_close_pushed.png", 40, 39, false},
        {L"logo.png", 512, 512, false},      {L"btn_game_restore_hover.png", 30, 27, false},
        {L"logo.ico", 48, 48, false},        {L"x_3.png", 16, 16, false},
    };
    for (const Picture& p : pictures) {
        std::string data;
        ASSERT_TRUE(skin::ReadPackageFile(p.name, data));
        std::shared_ptr<skin::Image> image = skin::DecodeImage(data);
        ASSERT_NE(image, nullptr) << "cannot decode";
        EXPECT_EQ(image->Width(), p.width);
        EXPECT_EQ(image->Height(), p.height);
        EXPECT_EQ(image->Frames().size() > 1, p.animated);
        for (const skin::Image::Frame& frame : image->Frames()) {
            EXPECT_NE(frame.bitmap, nullptr);
            if (p.animated) {
                EXPECT_EQ(frame.delayMs, 120u) << "GIF delay of the frame";
            }
        }
    }
    EXPECT_EQ(skin::DecodeImage("not a picture"), nullptr);
    std::string unused;
    EXPECT_FALSE(skin::ReadPackageFile(L"Missing.xml", unused));
}

std::vector<HWND> ShadowWindows() {
    std::vector<HWND> found;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM list) {
            wchar_t name[64];
            GetClassNameW(hwnd, name, 64);
            if (std::wstring(name) == L"SkinShadowWnd") {
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

TEST(FrameBehaviour, DropShadowFollowsTheLoginWindowOnly) {
    auto* game = new TestWindow(L"GameWnd.xml");
    WindowCloser gameCloser{game};
    ASSERT_NE(game->CreateAt(0, 0), nullptr);
    EXPECT_TRUE(ShadowWindows().empty()) << "shadowcorner alone shows no shadow";

    auto* window = new TestWindow(L"MainWnd.xml");
    HWND hwnd = window->CreateAt(100, 80);
    ASSERT_NE(hwnd, nullptr);
    SetWindowPos(hwnd, nullptr, 120, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    std::vector<HWND> shadows = ShadowWindows();
    ASSERT_EQ(shadows.size(), 1u);
    HWND shadow = shadows[0];
    EXPECT_TRUE(IsWindowVisible(shadow));
    EXPECT_EQ(WindowRect(shadow), (RECT{120 - 9, 90 - 9, 120 + 1241 + 9, 90 + 665 + 9}))
        << Describe(WindowRect(shadow));
    EXPECT_NE(GetWindowLongW(shadow, GWL_EXSTYLE) & WS_EX_TRANSPARENT, 0) << "click-through";

    window->ShowWindow(SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(shadow));
    window->ShowWindow(SW_SHOWNOACTIVATE);
    EXPECT_TRUE(IsWindowVisible(shadow));
    DestroyWindow(hwnd);
    delete window;
    EXPECT_FALSE(IsWindow(shadow)) << "the shadow ends with its window";
}

TEST(Layout, FindsTheFirstControlOfANameInDocumentOrder) {
    const char* markup =
        "<Window size=\"100,50\"><VerticalLayout name=\"root\">"
        "<VerticalLayout><Label name=\"twin\" text=\"first\" float=\"true\" pos=\"1,2,3,4\"/>"
        "</VerticalLayout><Label name=\"twin\" float=\"true\" pos=\"5,6,7,8\"/>"
        "</VerticalLayout></Window>";
    skin::LayoutDocument document;
    ASSERT_TRUE(skin::ParseLayout(markup, document));
    document.root->Arrange(RECT{0, 0, 100, 50});
    skin::Control* twin = document.root->FindByName(L"twin");
    ASSERT_NE(twin, nullptr);
    EXPECT_EQ(twin->GetPos(), (RECT{1, 2, 3, 4}));
    EXPECT_EQ(document.root->FindByName(L"none"), nullptr);

    skin::LayoutDocument refused;
    EXPECT_FALSE(skin::ParseLayout("<Window><VerticalLayout></Window>", refused));
    EXPECT_FALSE(skin::ParseLayout("<Dialog><VerticalLayout/></Dialog>", refused));
    EXPECT_FALSE(skin::ParseLayout("<Window size=\"1,1\"/>", refused));
}

TEST(Layout, LoginWindowIsBuiltFromThePackage) {
    auto* window = new TestWindow(L"MainWnd.xml");
    WindowCloser closer{window};
    HWND hwnd = window->CreateAt(40, 30);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_TRUE(window->initialised);

    RECT rect = WindowRect(hwnd);
    EXPECT_EQ(rect, (RECT{40, 30, 40 + 1241, 30 + 665})) << Describe(rect);
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client, (RECT{0, 0, 1241, 665})) << "client area covers the whole window";

    LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, 0);
    EXPECT_EQ(style & (WS_CLIPCHILDREN | WS_CLIPSIBLINGS), WS_CLIPCHILDREN | WS_CLIPSIBLINGS);
    EXPECT_NE(GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED, 0) << "bktrans";

    Pump(100);
    struct Expected {
        const wchar_t* name;
        RECT pos;
    } controls[] = {
        {L"verLayout", {0, 0, 1241, 665}},
        {L"btnMin", {1149, 114, 1189, 154}},
        {L"btnClose", {1109, 89, 1149, 129}},
        {L"btnGif_login", {81, 237, 388, 624}},
    };
    for (const Expected& e : controls) {
        skin::Control* control = window->FindControl(e.name);
        ASSERT_NE(control, nullptr) << "missing control";
        EXPECT_EQ(control->GetPos(), e.pos) << Describe(control->GetPos());
    }
    EXPECT_EQ(window->FindControl(L"btnMax"), nullptr);
}

TEST(Layout, GameWindowTitleBarAndControlChanges) {
    auto* window = new TestWindow(L"GameWnd.xml");
    WindowCloser closer{window};
    HWND hwnd = window->CreateAt(0, 0);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(WindowRect(hwnd), (RECT{0, 0, 1920, 1048}));
    Pump(100);
    struct Expected {
        const wchar_t* name;
        RECT pos;
    } controls[] = {
        {L"labelLogo", {5, 2, 25, 22}},       {L"labelName", {31, 5, 92, 19}},
        {L"btnMin", {1842, 0, 1868, 23}},     {L"btnMax", {1868, 0, 1894, 23}},
        {L"btnRestore", {1868, 0, 1894, 23}}, {L"btnClose", {1894, 0, 1920, 23}},
    };
    for (const Expected& e : controls) {
        skin::Control* control = window->FindControl(e.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->GetPos(), e.pos) << Describe(control->GetPos());
    }
    EXPECT_EQ(GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED, 0);

    skin::Control* close = window->FindControl(L"btnClose");
    close->SetPos(RECT{974, 0, 1000, 23});
    SetWindowPos(hwnd, nullptr, 0, 0, 1000, 600, SWP_NOMOVE | SWP_NOZORDER);
    Pump(100);
    EXPECT_EQ(close->GetPos(), (RECT{974, 0, 1000, 23})) << "a set rectangle survives layout";

    // A hidden button is neither found under the mouse nor clicked.
    POINT overMin{1855, 10};
    ClientToScreen(hwnd, &overMin);
    LPARAM screen = MAKELPARAM(overMin.x, overMin.y);
    window->FindControl(L"btnMin")->SetVisible(false);
    SetWindowPos(hwnd, nullptr, 0, 0, 1920, 1048, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(SendMessageW(hwnd, WM_NCHITTEST, 0, screen), HTCAPTION);
    window->FindControl(L"btnMin")->SetVisible(true);
    EXPECT_EQ(SendMessageW(hwnd, WM_NCHITTEST, 0, screen), HTCLIENT);
}

struct HitCase {
    int x;
    int y;
    LRESULT expected;
};

void ExpectHits(HWND hwnd, const std::vector<HitCase>& cases, const char* what) {
    RECT rect = WindowRect(hwnd);
    for (const HitCase& c : cases) {
        LPARAM point = MAKELPARAM(rect.left + c.x, rect.top + c.y);
        EXPECT_EQ(SendMessageW(hwnd, WM_NCHITTEST, 0, point), c.expected)
            << what << " at " << c.x << "," << c.y;
    }
}

TEST(FrameBehaviour, LoginHitTestDragsOutsideButtonsOnly) {
    auto* window = new TestWindow(L"MainWnd.xml");
    WindowCloser closer{window};
    HWND hwnd = window->CreateAt(50, 60);
    ASSERT_NE(hwnd, nullptr);
    ExpectHits(hwnd,
               {
                   {0, 0, HTCAPTION},       // no resize border on the login window
                   {600, 339, HTCAPTION},   // last row of the drag area
                   {600, 340, HTCLIENT},    // first row below it
                   {1240, 100, HTCAPTION},  // right edge: caption right margin 0
                   {1169, 134, HTCLIENT},   // over btnMin
                   {1110, 90, HTCLIENT},    // over btnClose
                   {1108, 90, HTCAPTION},   // just left of btnClose
                   {200, 300, HTCAPTION},   // over the animation: not a button
                   {200, 660, HTCLIENT},
               },
               "login");
}

TEST(FrameBehaviour, GameHitTestResizesOnlyWhileNotMaximised) {
    auto* window = new TestWindow(L"GameWnd.xml");
    WindowCloser closer{window};
    HWND hwnd = window->CreateAt(0, 0);
    ASSERT_NE(hwnd, nullptr);
    SetWindowPos(hwnd, nullptr, 100, 50, 1000, 600, SWP_NOZORDER);
    window->FindControl(L"btnClose")->SetPos(RECT{974, 0, 1000, 23});
    Pump(50);
    ExpectHits(hwnd,
               {
                   {0, 0, HTTOPLEFT},
                   {2, 2, HTTOPLEFT},
                   {999, 0, HTTOPRIGHT},
                   {0, 599, HTBOTTOMLEFT},
                   {999, 599, HTBOTTOMRIGHT},
                   {500, 1, HTTOP},
                   {500, 598, HTBOTTOM},
                   {1, 300, HTLEFT},
                   {997, 300, HTRIGHT},
                   {3, 3, HTCAPTION},
                   {500, 339, HTCAPTION},
                   {500, 340, HTCLIENT},
                   {996, 400, HTCLIENT},
                   {10, 10, HTCAPTION},
                   {990, 10, HTCLIENT},
                   {998, 10, HTRIGHT},
               },
               "restored game");

    ShowWindow(hwnd, SW_MAXIMIZE);
    Pump(200);
    ASSERT_TRUE(IsZoomed(hwnd));
    RECT work = WorkArea(hwnd);
    EXPECT_EQ(WindowRect(hwnd), work) << "maximised: the work area, " << Describe(WindowRect(hwnd));
    LONG width = work.right - work.left;
    window->FindControl(L"btnClose")->SetPos(RECT{width - 26, 0, width, 23});
    ExpectHits(hwnd,
               {
                   {0, 0, HTCAPTION},
                   {1, 300, HTCAPTION},
                   {1, 500, HTCLIENT},
                   {static_cast<int>(work.right - work.left) - 1, 5, HTCLIENT},  // btnClose
                   {static_cast<int>(work.right - work.left) - 100, 1, HTCAPTION},
               },
               "maximised game");
}

TEST(FrameBehaviour, LargestDragSizeAndMaximisedPlace) {
    struct Case {
        const wchar_t* layout;
        LONG width;
        LONG height;
    } cases[] = {{L"MainWnd.xml", 1241, 665}, {L"GameWnd.xml", 10000, 10000}};
    for (const Case& c : cases) {
        auto* window = new TestWindow(c.layout);
        WindowCloser closer{window};
        HWND hwnd = window->CreateAt(0, 0);
        ASSERT_NE(hwnd, nullptr);
        MINMAXINFO info{};
        info.ptMaxTrackSize = POINT{1, 1};
        SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(info.ptMaxTrackSize.x, c.width);
        EXPECT_EQ(info.ptMaxTrackSize.y, c.height);
        RECT work = WorkArea(hwnd);
        EXPECT_EQ(info.ptMaxSize.x, work.right - work.left);
        EXPECT_EQ(info.ptMaxSize.y, work.bottom - work.top);
    }
    auto* window = new TestWindow(L"BrowserWnd.xml");
    WindowCloser closer{window};
    HWND hwnd = window->CreateAt(0, 0);
    MINMAXINFO info{};
    info.ptMaxTrackSize = POINT{123, 456};
    SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMaxTrackSize.x, 123) << "no maxinfo: the limit stays as it was";
    EXPECT_EQ(info.ptMaxTrackSize.y, 456);
}

TEST(Buttons, ClickReachesTheWindowOnlyWhenReleasedOverTheSameButton) {
    auto* window = new TestWindow(L"GameWnd.xml");
    WindowCloser closer{window};
    HWND hwnd = window->CreateAt(0, 0);
    ASSERT_NE(hwnd, nullptr);
    skin::Control* close = window->FindControl(L"btnClose");
    skin::Control* min = window->FindControl(L"btnMin");
    LPARAM overClose = MAKELPARAM(1900, 10);
    LPARAM overMin = MAKELPARAM(1850, 10);

    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, overClose);
    SendMessageW(hwnd, WM_LBUTTONUP, 0, overClose);
    ASSERT_EQ(window->clicks.size(), 1u);
    EXPECT_EQ(window->clicks[0], close);

    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, overClose);
    SendMessageW(hwnd, WM_LBUTTONUP, 0, overMin);
    EXPECT_EQ(window->clicks.size(), 1u) << "released over another button";

    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, overMin);
    SendMessageW(hwnd, WM_LBUTTONUP, 0, overMin);
    ASSERT_EQ(window->clicks.size(), 2u);
    EXPECT_EQ(window->clicks[1], min);
}

TEST(Animation, LoginGifPlaysByItselfAndLoops) {
    auto* window = new TestWindow(L"MainWnd.xml");
    WindowCloser closer{window};
    ASSERT_NE(window->CreateAt(0, 0), nullptr);
    auto* gif = dynamic_cast<skin::GifAnim*>(window->FindControl(L"btnGif_login"));
    ASSERT_NE(gif, nullptr);
    size_t frames = gif->FrameCount();
    ASSERT_GT(frames, 1u) << "login.gif is animated";
    EXPECT_EQ(gif->CurrentFrame(), 0u);
    EXPECT_TRUE(PumpUntil([&] { return gif->CurrentFrame() == 1; }, 5000));
    EXPECT_TRUE(PumpUntil([&] { return gif->CurrentFrame() == frames - 1; }, 10000));
    EXPECT_TRUE(PumpUntil([&] { return gif->CurrentFrame() == 0; }, 5000)) << "loops";

    gif->SetAutoPlay(false);
    Pump(300);
    size_t stopped = gif->CurrentFrame();
    Pump(500);
    EXPECT_EQ(gif->CurrentFrame(), stopped);
    gif->SetAutoPlay(true);
    EXPECT_TRUE(PumpUntil([&] { return gif->CurrentFrame() != stopped; }, 5000));
}

TEST(WindowOperations, CentresOnWorkAreaOrOwnerInsideTheWorkArea) {
    auto* owner = new TestWindow(L"BrowserWnd.xml");
    WindowCloser ownerCloser{owner};
    ASSERT_NE(owner->CreateAt(0, 0), nullptr);
    RECT work = WorkArea(owner->GetHWND());

    owner->CenterWindow();
    RECT centred = WindowRect(owner->GetHWND());
    LONG x = (work.left + work.right) / 2 - 730 / 2;
    LONG y = (work.top + work.bottom) / 2 - 380 / 2;
    EXPECT_EQ(centred, (RECT{x, y, x + 730, y + 380})) << Describe(centred);

    struct Case {
        int ownerX;
        int ownerY;
        LONG expectedX;
        LONG expectedY;
    } cases[] = {
        {600, 400, 600 + 365 - 620, 400 + 190 - 332},  // centred on the owner
        {0, 0, work.left, work.top},                   // kept inside on the top left
        {work.right - 730, work.bottom - 380, work.right - 1241, work.bottom - 665},
    };
    for (const Case& c : cases) {
        SetWindowPos(owner->GetHWND(), nullptr, c.ownerX, c.ownerY, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
        auto* window = new TestWindow(L"MainWnd.xml");
        WindowCloser closer{window};
        ASSERT_NE(window->CreateAt(0, 0, owner->GetHWND()), nullptr);
        window->CenterWindow();
        RECT r = WindowRect(window->GetHWND());
        EXPECT_EQ(r.left, c.expectedX) << c.ownerX;
        EXPECT_EQ(r.top, c.expectedY) << c.ownerY;
        EXPECT_EQ(r.right - r.left, 1241);
    }
}

TEST(WindowOperations, ShowModesIconsAndCloseRequests) {
    auto* window = new TestWindow(L"BrowserWnd.xml");
    WindowCloser closer{window};
    HWND hwnd = window->CreateAt(0, 0);
    ASSERT_NE(hwnd, nullptr);
    window->ShowWindow(SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(hwnd));
    window->ShowWindow(SW_SHOWNOACTIVATE);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    window->ShowWindow(SW_HIDE);
    window->ShowWindow(SW_SHOWNORMAL);
    EXPECT_TRUE(IsWindowVisible(hwnd));

    EXPECT_EQ(SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0), 0);
    window->SetIcon(156);
    EXPECT_NE(SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0), 0);

    window->Close(7);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, hwnd, WM_CLOSE, WM_CLOSE, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    DispatchMessageW(&msg);
    EXPECT_FALSE(IsWindow(hwnd));
    window->Close(1);
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_CLOSE, WM_CLOSE, PM_REMOVE))
        << "no close request once the window is gone";
}

// Records the route of each message through the toolkit's steps.
class RoutingWindow : public TestWindow {
  public:
    RoutingWindow() : TestWindow(L"BrowserWnd.xml") {}
    std::string route;
    bool sysCommandKeepsHandled = true;
    bool customSetsHandled = false;
    bool procSwallows = false;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_SYSCOMMAND || message >= WM_USER) route += "proc>";
        if (procSwallows && message == WM_USER + 500) return 11;
        return TestWindow::HandleMessage(message, wParam, lParam);
    }
    LRESULT OnSysCommand(UINT, WPARAM, LPARAM, bool& handled) override {
        route += handled ? "syscommand(true)>" : "syscommand(false)>";
        handled = sysCommandKeepsHandled;
        return 22;
    }
    LRESULT HandleCustomMessage(UINT message, WPARAM, LPARAM, bool& handled) override {
        if (message == WM_SYSCOMMAND || message >= WM_USER || message == WM_TIMER) {
            route += handled ? "custom(true)>" : "custom(false)>";
        }
        handled = customSetsHandled;
        return 33;
    }
};

TEST(Routing, StepsInOrderWithHandledFlags) {
    auto* window = new RoutingWindow;
    WindowCloser closer{window};
    HWND hwnd = window->CreateAt(0, 0);
    ASSERT_NE(hwnd, nullptr);
    struct Case {
        UINT message;
        WPARAM wParam;
        bool sysCommandKeepsHandled;
        bool customSetsHandled;
        bool procSwallows;
        const char* route;
        LRESULT result;
    } cases[] = {
        // A standard step that keeps handled ends the routing with its result.
        {WM_SYSCOMMAND, 0xF000, true, true, false, "proc>syscommand(true)>", 22},
        // One that clears it passes the message to the custom step, handled false.
        {WM_SYSCOMMAND, 0xF000, false, true, false, "proc>syscommand(true)>custom(false)>", 33},
        // Application messages skip the standard steps.
        {WM_USER + 500, 0, true, true, false, "proc>custom(false)>", 33},
        // Left unhandled, they reach the default window procedure (result 0).
        {WM_USER + 500, 0, true, false, false, "proc>custom(false)>", 0},
        // The window's own procedure step goes first and may keep a message.
        {WM_USER + 500, 0, true, true, true, "proc>", 11},
        {WM_TIMER, 4242, true, true, false, "custom(false)>", 33},
    };
    for (const Case& c : cases) {
        window->route.clear();
        window->sysCommandKeepsHandled = c.sysCommandKeepsHandled;
        window->customSetsHandled = c.customSetsHandled;
        window->procSwallows = c.procSwallows;
        LRESULT result = SendMessageW(hwnd, c.message, c.wParam, 0);
        EXPECT_EQ(window->route, c.route) << c.message;
        EXPECT_EQ(result, c.result) << c.message;
    }
}

TEST(MessageLoop, PreTranslationForTheWindowAndItsAncestors) {
    auto* window = new TestWindow(L"BrowserWnd.xml");
    WindowCloser closer{window};
    HWND hwnd = window->CreateAt(0, 0);
    ASSERT_NE(hwnd, nullptr);
    HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, hwnd,
                                 nullptr, nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    window->swallowInPreTranslate = WM_APP + 1;
    PostMessageW(child, WM_APP + 2, 5, 6);
    PostMessageW(hwnd, WM_APP + 1, 0, 0);
    PostQuitMessage(0);
    skin::RunMessageLoop();

    bool sawChild = false;
    bool sawOwn = false;
    for (const MSG& msg : window->preTranslated) {
        if (msg.hwnd == child && msg.message == WM_APP + 2 && msg.wParam == 5) sawChild = true;
        if (msg.hwnd == hwnd && msg.message == WM_APP + 1) sawOwn = true;
    }
    EXPECT_TRUE(sawChild) << "offered to the ancestor of the addressed window";
    EXPECT_TRUE(sawOwn);
}

}  // namespace
