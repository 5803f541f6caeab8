// window.external and CallJSFunction with a real browser.
#include <gtest/gtest.h>

#include "loaded_page.h"
#include "web_messages.h"

namespace {

struct ExternalCall {
    const char* name;
    const wchar_t* function;
    std::string expected;
};

class EngineExternalCall : public testing::TestWithParam<ExternalCall> {};

}  // namespace

TEST_P(EngineExternalCall, PostsTheFirstTextArgumentAndReturnsTrue) {
    const ExternalCall& c = GetParam();
    LoadedPage page("/external.html");
    ASSERT_TRUE(page.loaded());

    EXPECT_EQ(page.Ask(c.function), c.expected);
    const auto returned = page.host.WaitFor(WM_WEB_ORDER_REQUEST, 2);
    ASSERT_TRUE(returned);
    EXPECT_EQ(returned->text, "returned:true");
    EXPECT_EQ(returned->lParam, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EngineExternalCall,
    testing::Values(
        ExternalCall{"json", L"callJson",
                     Ansi(L"{\"order\":\"A1\",\"amount\":6,\"name\":\"\u5143\u5b9d\"}")},
        ExternalCall{"number", L"callNumber", ""},
        ExternalCall{"bool_and_text", L"callBoolAndText", ""},
        ExternalCall{"no_argument", L"callNothing", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EngineExternal, EmbeddedFrameHasItsOwnExternal) {
    LoadedPage page("/external.html");
    ASSERT_TRUE(page.loaded());
    EXPECT_EQ(page.Ask(L"callFromFrame"), "from frame true");
}

TEST(EngineExternal, OffersOnlyTheRegisteredFunction) {
    LoadedPage page("/external.html");
    ASSERT_TRUE(page.loaded());
    EXPECT_EQ(page.Ask(L"describe"), "undefined,CefOderRequest,TypeError");
}

TEST(EngineScript, CallJSFunctionDeliversTheTextUnchanged) {
    const std::wstring texts[] = {
        L"plain",
        L"it's 'quoted'",
        L"back\\slash\\",
        L"line\nbreak\r\nand\ttab",
        L"\u652f\u4ed8\u6210\u529f",
        L"'); window.external.CefOderRequest('injected'); ('",
        L"\\'",
        L"{\"code\":0,\"msg\":\"\u6210\u529f\"}",
        std::wstring(30000, L'x'),
    };
    LoadedPage page("/echo.html");
    ASSERT_TRUE(page.loaded());
    for (const std::wstring& text : texts) {
        SCOPED_TRACE(Ansi(text.substr(0, 40)));
        EXPECT_EQ(page.Ask(L"onOderResponse", text.c_str()),
                  std::to_string(text.size()) + ":" + Ansi(text));
    }
    EXPECT_EQ(page.host.received(WM_WEB_ORDER_REQUEST).size(), std::size(texts));
}
