// Block lists, popups and load reports with a real browser.
#include <gtest/gtest.h>

#include "loaded_page.h"
#include "server_log.h"
#include "web_messages.h"

namespace {

struct BlockedNavigation {
    const char* name;
    const wchar_t* function;
    const wchar_t* target;
    const char* refusedPath;
};

const BlockedNavigation kBlockedNavigations[] = {
    {"main_frame", L"go", L"/plain.html?client=1&main", "/plain.html?client=1&main"},
    {"redirect", L"go", L"/__redirect?to=/plain.html%3Fclient%3D1%26redirect",
     "/plain.html?client=1&redirect"},
    {"embedded_frame", L"frameGo", L"/plain.html?client=1&frame", "/plain.html?client=1&frame"},
};

class EngineBlockedNavigation : public testing::TestWithParam<BlockedNavigation> {};

}  // namespace

TEST_P(EngineBlockedNavigation, IsRefusedAndReportedWhileThePageStays) {
    const BlockedNavigation& c = GetParam();
    LoadedPage page("/navigation.html", {"client=1"});
    ASSERT_TRUE(page.loaded());

    const size_t loadsBefore = page.host.received(WM_WEB_LOAD_END).size();
    page.object.CallJSFunction(c.function, c.target);
    const auto blocked = page.host.WaitFor(WM_WEB_URL_BLOCKED);
    ASSERT_TRUE(blocked);
    EXPECT_EQ(blocked->text, ServerBase() + c.refusedPath);
    EXPECT_EQ(blocked->lParam, 0);

    EXPECT_EQ(page.Ask(L"report"), "/navigation.html");
    EXPECT_TRUE(RequestsFor(c.refusedPath).empty());
    EXPECT_EQ(page.host.received(WM_WEB_LOAD_END).size(), loadsBefore);
}

INSTANTIATE_TEST_SUITE_P(Cases, EngineBlockedNavigation, testing::ValuesIn(kBlockedNavigations),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EngineNavigation, FragmentOfOtherLetterCaseDoesNotBlock) {
    LoadedPage page("/navigation.html", {"client=1"});
    ASSERT_TRUE(page.loaded());

    page.object.CallJSFunction(L"go", L"/plain.html?CLIENT=1");
    ASSERT_TRUE(page.host.PumpUntil([] { return !RequestsFor("/plain.html?CLIENT=1").empty(); }));
    EXPECT_TRUE(page.host.received(WM_WEB_URL_BLOCKED).empty());
}

TEST(EngineNavigation, EmptyFragmentBlocksEveryNavigation) {
    LoadedPage page("/navigation.html");
    ASSERT_TRUE(page.loaded());
    page.object.SetBlockUrls({""});

    page.object.CallJSFunction(L"go", L"/plain.html?anything");
    const auto blocked = page.host.WaitFor(WM_WEB_URL_BLOCKED);
    ASSERT_TRUE(blocked);
    EXPECT_EQ(blocked->text, ServerBase() + "/plain.html?anything");
}

TEST(EngineNavigation, NewWindowRequestsAreReportedAndNoWindowOpens) {
    const struct {
        const wchar_t* function;
        const char* target;
    } cases[] = {{L"clickLink", "/plain.html?via=link"}, {L"openWindow", "/plain.html?via=open"}};

    LoadedPage page("/popup.html");
    ASSERT_TRUE(page.loaded());
    const auto windowsBefore = VisibleProcessWindows();
    const size_t loadsBefore = page.host.received(WM_WEB_LOAD_END).size();

    size_t count = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        page.object.CallJSFunction(c.function, L"");
        const auto popup = page.host.WaitFor(WM_WEB_POPUP, ++count);
        ASSERT_TRUE(popup);
        EXPECT_EQ(popup->text, ServerBase() + c.target);
        EXPECT_NE(popup->lParam, 0);
    }
    // The page goes on once window.open has returned.
    ASSERT_TRUE(page.host.PumpUntil([] { return !RequestsFor("/opened").empty(); }));
    EXPECT_EQ(page.Ask(L"report"), "done");
    EXPECT_EQ(VisibleProcessWindows(), windowsBefore);
    EXPECT_EQ(page.host.received(WM_WEB_LOAD_END).size(), loadsBefore);
    EXPECT_TRUE(RequestsFor(cases[0].target).empty());
    EXPECT_TRUE(RequestsFor(cases[1].target).empty());
}

TEST(EngineNavigation, OneLoadEndPerMainFrameLoad) {
    LoadedPage page("/frames.html");
    ASSERT_TRUE(page.loaded());
    const auto first = page.host.WaitFor(WM_WEB_LOAD_END);
    ASSERT_TRUE(first);
    EXPECT_NE(first->wParam, 0u);
    EXPECT_EQ(first->lParam, 0);
    EXPECT_EQ(page.Ask(L"report"), "done");
    EXPECT_EQ(page.host.received(WM_WEB_LOAD_END).size(), 1u);

    page.object.CallJSFunction(L"reload", L"");
    const auto second = page.host.WaitFor(WM_WEB_LOAD_END, 2);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->wParam, first->wParam);
    EXPECT_EQ(page.Ask(L"report"), "done");
    EXPECT_EQ(page.host.received(WM_WEB_LOAD_END).size(), 2u);
}
