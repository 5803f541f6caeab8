// The browser host window without a page: its creation, the host messages it
// forwards, its delayed showing, its close and its lifetime.
#include <gtest/gtest.h>
#include <windows.h>

#include "host_fixtures.h"
#include "tracked_payloads.h"
#include "web_messages.h"

namespace {

constexpr UINT kShowTimer = 1001;

class BrowserHost : public ::testing::Test {
  protected:
    void TearDown() override {
        owner.Destroy();
        EXPECT_TRUE(PumpUntil([] { return CountedHost::Live() == 0; }, 10000));
        EXPECT_EQ(0, UndeletedPayloads());
    }

    TestOwner owner;
};

TEST_F(BrowserHost, IsCreatedHiddenAtItsOwnersCornerWithTheLayoutSize) {
    CountedHost* host = CreateHost(owner);
    HWND hwnd = host->GetHWND();
    ASSERT_TRUE(IsWindow(hwnd));
    RECT ownerRect{};
    RECT hostRect{};
    GetWindowRect(owner.hwnd(), &ownerRect);
    GetWindowRect(hwnd, &hostRect);
    EXPECT_EQ(ownerRect.left, hostRect.left);
    EXPECT_EQ(ownerRect.top, hostRect.top);
    EXPECT_EQ(730, hostRect.right - hostRect.left);
    EXPECT_EQ(380, hostRect.bottom - hostRect.top);
    EXPECT_FALSE(IsWindowVisible(hwnd));
    EXPECT_EQ(owner.hwnd(), GetWindow(hwnd, GW_OWNER));
    EXPECT_EQ(0, GetWindowLongW(hwnd, GWL_STYLE) & WS_CAPTION);
    wchar_t className[32] = {};
    GetClassNameW(hwnd, className, 32);
    EXPECT_STREQ(L"MainWndClass", className);
    host->CloseHost();
}

TEST_F(BrowserHost, PassesOtherHostMessagesToItsOwnerUnchanged) {
    CountedHost* host = CreateHost(owner);
    HWND hwnd = host->GetHWND();
    auto* blocked = NewTrackedPayload("https://game.example/enter?id=7");
    auto* popup = NewTrackedPayload("https://ads.example/");
    const struct {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } forwarded[] = {
        {WM_WEB_URL_BLOCKED, reinterpret_cast<WPARAM>(blocked), 0},
        {WM_WEB_POPUP, reinterpret_cast<WPARAM>(popup), 42},
        {WM_WEB_PAGE_SHOWN, 5, 6},
        {WM_USER + 105, 7, 8},
        {WM_APP + 3, 9, 10},
        {0xC123, 11, 12},
    };
    // Not host messages, or handled by the host itself.
    PostMessageW(hwnd, WM_USER, 1, 2);
    PostMessageW(hwnd, WM_USER - 24, 3, 4);
    PostMessageW(hwnd, WM_TIMER, kShowTimer + 1, 0);
    PostMessageW(hwnd, WM_WEB_ORDER_REQUEST, 0, 0);
    for (const auto& m : forwarded) PostMessageW(hwnd, m.message, m.wParam, m.lParam);
    PostMessageW(hwnd, WM_APP + 4, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return owner.Count(WM_APP + 4) == 1; }, 10000));

    const auto& received = owner.received();
    ASSERT_EQ(std::size(forwarded) + 1, received.size());
    for (size_t i = 0; i < std::size(forwarded); ++i) {
        SCOPED_TRACE(forwarded[i].message);
        EXPECT_EQ(forwarded[i].message, received[i].message);
        EXPECT_EQ(forwarded[i].wParam, received[i].wParam);
        EXPECT_EQ(forwarded[i].lParam, received[i].lParam);
    }
    EXPECT_EQ("https://game.example/enter?id=7", received[0].payload);
    EXPECT_EQ("https://ads.example/", received[1].payload);
    EXPECT_FALSE(IsWindowVisible(hwnd));
    host->CloseHost();
}

TEST_F(BrowserHost, ShowsItselfOnce400MsAfterTheLastPageLoad) {
    CountedHost* host = CreateHost(owner);
    HWND hwnd = host->GetHWND();
    PostMessageW(hwnd, WM_WEB_LOAD_END, 1, 0);
    PumpFor(300);
    EXPECT_FALSE(IsWindowVisible(hwnd));
    const ULONGLONG secondLoad = GetTickCount64();
    PostMessageW(hwnd, WM_WEB_LOAD_END, 1, 0);
    ASSERT_TRUE(PumpUntil([&] { return owner.Count(WM_WEB_PAGE_SHOWN) == 1; }, 10000));

    const auto& shown = owner.received().back();
    EXPECT_GE(shown.time - secondLoad, 390u);
    EXPECT_EQ(kShowTimer, shown.wParam);
    EXPECT_EQ(0, shown.lParam);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    PumpFor(1000);
    EXPECT_EQ(1u, owner.Count(WM_WEB_PAGE_SHOWN));
    host->CloseHost();
}

TEST_F(BrowserHost, ShowsAgainAfterEveryLaterPageLoad) {
    CountedHost* host = CreateHost(owner);
    for (size_t loads = 1; loads <= 2; ++loads) {
        PostMessageW(host->GetHWND(), WM_WEB_LOAD_END, 1, 0);
        ASSERT_TRUE(PumpUntil([&] { return owner.Count(WM_WEB_PAGE_SHOWN) == loads; }, 10000));
    }
    host->CloseHost();
}

TEST_F(BrowserHost, ReportsNothingAfterCloseHost) {
    CountedHost* host = CreateHost(owner);
    HWND hwnd = host->GetHWND();
    PostMessageW(hwnd, WM_WEB_LOAD_END, 1, 0);
    ASSERT_TRUE(PumpUntil([&] { return owner.Count(WM_WEB_PAGE_SHOWN) == 1; }, 10000));
    // A load whose show timer is running, and one still queued, when the host closes.
    PostMessageW(hwnd, WM_WEB_LOAD_END, 1, 0);
    PumpFor(50);
    PostMessageW(hwnd, WM_WEB_LOAD_END, 1, 0);
    host->CloseHost();
    ASSERT_TRUE(PumpUntil([] { return CountedHost::Live() == 0; }, 10000));
    EXPECT_FALSE(IsWindow(hwnd));
    PumpFor(1000);
    EXPECT_EQ(1u, owner.Count(WM_WEB_PAGE_SHOWN));
}

TEST_F(BrowserHost, GoesAwayWithItsOwnerAndReleasesItsPayloads) {
    TestOwner secondOwner;
    CountedHost* first = CreateHost(owner);
    CreateHost(secondOwner);
    EXPECT_EQ(2, CountedHost::Live());
    PostMessageW(first->GetHWND(), WM_WEB_URL_BLOCKED,
                 reinterpret_cast<WPARAM>(NewTrackedPayload("https://x.example/")), 0);
    PostMessageW(first->GetHWND(), WM_WEB_ORDER_REQUEST,
                 reinterpret_cast<WPARAM>(NewTrackedPayload("not an order")), 0);
    first->CloseHost();
    secondOwner.Destroy();
    ASSERT_TRUE(PumpUntil([] { return CountedHost::Live() == 0; }, 10000));
    EXPECT_EQ(0, UndeletedPayloads());
}

}  // namespace
