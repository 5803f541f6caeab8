// Sizing, showing and closing the browser window; the runtime's process type.
#include <gtest/gtest.h>

#include "loaded_page.h"

namespace {

RECT ClientRectOf(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

TEST(EngineWindow, BrowserIsAChildOfTheHostWithTheGivenPlaceAndStyle) {
    LoadedPage page("/plain.html");
    ASSERT_TRUE(page.loaded());
    const HWND child = page.host.BrowserWindow();
    ASSERT_NE(child, nullptr);
    EXPECT_TRUE(SameRect(ClientRectOf(child), RECT{0, 0, 800, 600}));
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    const LONG wanted = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP | WS_VISIBLE;
    EXPECT_EQ(style & wanted, wanted);
}

TEST(EngineWindow, ResizeAndShowActOnTheBrowserWindow) {
    const RECT places[] = {{10, 20, 410, 320}, {5, 5, 5, 5}, {0, 0, 800, 600}};
    LoadedPage page("/plain.html");
    ASSERT_TRUE(page.loaded());
    const HWND child = page.host.BrowserWindow();
    ASSERT_NE(child, nullptr);

    for (const RECT& place : places) {
        page.object.ResizeBrowser(place);
        EXPECT_TRUE(IsWindow(child));
        EXPECT_TRUE(SameRect(ClientRectOf(child), place));
    }
    page.object.ShowWebWindow(false);
    EXPECT_FALSE(IsWindowVisible(child));
    page.object.ShowWebWindow(true);
    EXPECT_TRUE(IsWindowVisible(child));
}

TEST(EngineWindow, ObjectWithoutItsOwnBrowserLeavesOthersAlone) {
    LoadedPage page("/plain.html");
    ASSERT_TRUE(page.loaded());
    const HWND child = page.host.BrowserWindow();
    ASSERT_NE(child, nullptr);

    CefBrowserObject other;
    other.ResizeBrowser(RECT{1, 2, 3, 4});
    other.ShowWebWindow(false);
    other.CloseBrowser(true);

    EXPECT_TRUE(SameRect(ClientRectOf(child), RECT{0, 0, 800, 600}));
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_TRUE(IsWindow(child));
}

TEST(EngineWindow, CloseBrowserDestroysTheBrowserWindow) {
    LoadedPage page("/plain.html");
    ASSERT_TRUE(page.loaded());
    const HWND child = page.host.BrowserWindow();
    ASSERT_NE(child, nullptr);
    page.object.CloseBrowser(false);
    EXPECT_TRUE(page.host.PumpUntil([&] { return !IsWindow(child); }));
}

TEST(EngineProcess, BrowserProcessHasNoProcessType) {
    EXPECT_EQ(CefBrowserObject::CefProcessType(), "");
}
