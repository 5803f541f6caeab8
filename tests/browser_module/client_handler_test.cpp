#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cef_client_handler.h"
#include "counting_heap.h"
#include "fakes.h"
#include "message_handlers.h"
#include "test_files.h"
#include "web_messages.h"

using testing::ElementsAre;
using testing::Pair;
using testing::UnorderedElementsAre;

namespace {

// A handler made in a folder without "libcef.dll" and "vesk2.exe", with its
// message handlers registered for the test's duration.
class ClientHandlerTest : public testing::Test {
  protected:
    ClientHandlerTest() {
        CurrentDirectoryScope inside(scratch.path());
        handler = new CefClientHandler;
        handler->RegisterMessageHandlers();
    }
    ~ClientHandlerTest() override { messageHandlers.clear(); }

    // Every host message waiting in this thread's queue for window, payloads
    // copied and deleted.
    std::vector<PostedMessage> Posted(HWND window) { return TakePostedMessages(window); }

    ScratchFolder scratch;
    CefRefPtr<CefClientHandler> handler;
};

}  // namespace

TEST_F(ClientHandlerTest, RecordsTheFirstBrowserOfEachHostWindow) {
    HostWithChild a, b, c;
    auto first = FakeBrowser::Make(1, a.child);
    auto second = FakeBrowser::Make(2, a.child);
    auto other = FakeBrowser::Make(3, b.child);
    handler->OnAfterCreated(first);
    handler->OnAfterCreated(second);
    handler->OnAfterCreated(other);

    EXPECT_EQ(handler->FindBrowser(a.host).get(), first.get());
    EXPECT_EQ(handler->FindBrowser(b.host).get(), other.get());
    EXPECT_EQ(handler->FindBrowser(c.host).get(), nullptr);
    EXPECT_EQ(handler->FindBrowser(nullptr).get(), nullptr);
}

TEST_F(ClientHandlerTest, SetsTheMinimumFontSizeToZeroOnCreation) {
    HostWithChild a;
    auto browser = FakeBrowser::Make(1, a.child);
    handler->OnAfterCreated(browser);
    const auto& preferences = browser->host->context->preferences;
    ASSERT_THAT(preferences, ElementsAre(Pair("webkit.webprefs.minimum_font_size", 0)));
}

TEST_F(ClientHandlerTest, ForgetsOnlyTheClosingBrowser) {
    HostWithChild a, b;
    auto first = FakeBrowser::Make(1, a.child);
    auto other = FakeBrowser::Make(2, b.child);
    handler->OnAfterCreated(first);
    handler->OnAfterCreated(other);

    handler->OnBeforeClose(first);
    EXPECT_EQ(handler->FindBrowser(a.host).get(), nullptr);
    EXPECT_EQ(handler->FindBrowser(b.host).get(), other.get());

    auto later = FakeBrowser::Make(3, a.child);
    handler->OnAfterCreated(later);
    EXPECT_EQ(handler->FindBrowser(a.host).get(), later.get());
}

namespace {

struct BlockCase {
    const char* name;
    std::vector<std::string> fragments;
    const char* url;
    bool blocked;
};

const BlockCase kBlockCases[] = {
    {"fragment in the query", {"client=1"}, "http://127.0.0.1/login?client=1&x=2", true},
    {"fragment in the path", {"/pay/"}, "http://127.0.0.1/pay/index.html", true},
    {"other letter case", {"client=1"}, "http://127.0.0.1/login?CLIENT=1", false},
    {"no fragment occurs", {"client=1", "flash"}, "http://127.0.0.1/game", false},
    {"later fragment occurs", {"client=1", "game"}, "http://127.0.0.1/game", true},
    {"empty fragment", {""}, "http://127.0.0.1/anything", true},
    {"empty list", {}, "http://127.0.0.1/anything", false},
    {"non-ASCII fragment as UTF-8",
     {"\xe6\xb8\xb8\xe6\x88\x8f"},
     "http://127.0.0.1/\u6e38\u620f",
     true},
};

}  // namespace

TEST_F(ClientHandlerTest, RefusesNavigationsMatchingTheHostWindowsBlockList) {
    for (const BlockCase& c : kBlockCases) {
        SCOPED_TRACE(c.name);
        HostWithChild a;
        auto browser = FakeBrowser::Make(1, a.child);
        handler->SetBlockUrls(a.host, c.fragments);
        for (bool mainFrame : {true, false}) {
            for (bool redirect : {false, true}) {
                const bool refused = handler->OnBeforeBrowse(
                    browser, FakeFrame::Make(mainFrame), FakeRequest::Make(c.url), false, redirect);
                EXPECT_EQ(refused, c.blocked);
                const auto posted = Posted(a.host);
                if (c.blocked) {
                    EXPECT_THAT(posted, ElementsAre(PostedMessage{WM_WEB_URL_BLOCKED, 0, c.url}));
                } else {
                    EXPECT_THAT(posted, ElementsAre());
                }
            }
        }
    }
}

TEST_F(ClientHandlerTest, BlockListsBelongToTheirHostWindow) {
    HostWithChild a, b;
    handler->SetBlockUrls(a.host, {"client=1"});
    const char url[] = "http://127.0.0.1/?client=1";
    EXPECT_TRUE(handler->OnBeforeBrowse(FakeBrowser::Make(1, a.child), FakeFrame::Make(true),
                                        FakeRequest::Make(url), true, false));
    EXPECT_FALSE(handler->OnBeforeBrowse(FakeBrowser::Make(2, b.child), FakeFrame::Make(true),
                                         FakeRequest::Make(url), true, false));
    Posted(a.host);

    handler->SetBlockUrls(a.host, {});
    EXPECT_FALSE(handler->OnBeforeBrowse(FakeBrowser::Make(1, a.child), FakeFrame::Make(true),
                                         FakeRequest::Make(url), true, false));
    EXPECT_THAT(Posted(a.host), ElementsAre());
}

TEST_F(ClientHandlerTest, AddsTheIdentificationHeadersAsFurtherEntries) {
    HostWithChild a;
    auto request = FakeRequest::Make("http://127.0.0.1/a.png");
    request->headers = {{"Accept", "*/*"}, {"version", "page"}};
    EXPECT_EQ(handler->OnBeforeResourceLoad(FakeBrowser::Make(1, a.child), FakeFrame::Make(false),
                                            request, nullptr),
              RV_CONTINUE);
    EXPECT_THAT(
        request->HeaderPairs(),
        UnorderedElementsAre(Pair("Accept", "*/*"), Pair("version", "page"), Pair("cefVersion", ""),
                             Pair("version", ""), Pair("payment", "360pay")));
}

TEST(ClientHandlerVersions, ReadsLibcefAndVesk2InTheCurrentDirectory) {
    ScratchFolder scratch;
    ASSERT_TRUE(CopyFileW((ExecutableFolder() + L"\\libcef.dll").c_str(),
                          (scratch.path() + L"\\libcef.dll").c_str(), FALSE));
    ASSERT_TRUE(
        CopyFileW(TestVesk2Path().c_str(), (scratch.path() + L"\\vesk2.exe").c_str(), FALSE));
    CefRefPtr<CefClientHandler> handler;
    {
        CurrentDirectoryScope inside(scratch.path());
        handler = new CefClientHandler;
    }
    auto request = FakeRequest::Make("http://127.0.0.1/");
    handler->OnBeforeResourceLoad(nullptr, nullptr, request, nullptr);
    const auto headers = request->HeaderPairs();
    EXPECT_THAT(headers, testing::Contains(Pair("version", WEBHULL_TEST_VESK2_VERSION)));
    EXPECT_THAT(headers, testing::Contains(
                             Pair("cefVersion", testing::MatchesRegex(R"(\d+\.\d+\.\d+\.\d+)"))));
}

TEST_F(ClientHandlerTest, ReplacesEveryContextMenuByTheDeveloperToolsItem) {
    HostWithChild a;
    auto model = FakeMenuModel::Make();
    model->AddItem(100, "Back");
    model->AddSeparator();
    model->AddItem(101, "Reload");
    handler->OnBeforeContextMenu(FakeBrowser::Make(1, a.child), FakeFrame::Make(true), nullptr,
                                 model);
    EXPECT_THAT(model->items,
                ElementsAre(Pair(DEVTOOLS_COMMAND_ID, L"\u5f00\u53d1\u8005\u5de5\u5177")));
}

TEST_F(ClientHandlerTest, DeveloperToolsMenuCommandOpensOneDevToolsWindow) {
    HostWithChild a;
    auto browser = FakeBrowser::Make(1, a.child);
    EXPECT_FALSE(handler->OnContextMenuCommand(browser, FakeFrame::Make(true), nullptr, 100,
                                               EVENTFLAG_NONE));
    EXPECT_EQ(browser->host->devToolsShown, 0);

    EXPECT_TRUE(handler->OnContextMenuCommand(browser, FakeFrame::Make(true), nullptr,
                                              DEVTOOLS_COMMAND_ID, EVENTFLAG_NONE));
    ASSERT_EQ(browser->host->devToolsShown, 1);
    const auto& shown = browser->host->devTools;
    EXPECT_EQ(shown.parent, nullptr);
    EXPECT_EQ(shown.style, static_cast<DWORD>(0x16CF0000));
    EXPECT_EQ(shown.windowName, L"DevTools");
    EXPECT_EQ(shown.client.get(), static_cast<CefClient*>(handler.get()));
    EXPECT_EQ(shown.inspectX, 0);
    EXPECT_EQ(shown.inspectY, 0);

    EXPECT_TRUE(handler->OnContextMenuCommand(browser, FakeFrame::Make(true), nullptr,
                                              DEVTOOLS_COMMAND_ID, EVENTFLAG_NONE));
    EXPECT_EQ(browser->host->devToolsShown, 1);
}

namespace {

struct KeyCase {
    const char* name;
    cef_key_event_type_t type;
    int key;
    uint32_t modifiers;
    bool opens;
};

const KeyCase kKeyCases[] = {
    {"F2 down", KEYEVENT_RAWKEYDOWN, VK_F2, EVENTFLAG_NONE, true},
    {"Ctrl+F2 down", KEYEVENT_RAWKEYDOWN, VK_F2, EVENTFLAG_CONTROL_DOWN, true},
    {"Shift+Alt+F2 down", KEYEVENT_RAWKEYDOWN, VK_F2, EVENTFLAG_SHIFT_DOWN | EVENTFLAG_ALT_DOWN,
     true},
    {"F2 up", KEYEVENT_KEYUP, VK_F2, EVENTFLAG_NONE, false},
    {"F2 char", KEYEVENT_CHAR, VK_F2, EVENTFLAG_NONE, false},
    {"F3 down", KEYEVENT_RAWKEYDOWN, VK_F3, EVENTFLAG_NONE, false},
    {"F12 down", KEYEVENT_RAWKEYDOWN, VK_F12, EVENTFLAG_NONE, false},
};

}  // namespace

TEST_F(ClientHandlerTest, F2OpensTheDeveloperTools) {
    for (const KeyCase& c : kKeyCases) {
        SCOPED_TRACE(c.name);
        HostWithChild a;
        auto browser = FakeBrowser::Make(1, a.child);
        CefKeyEvent event;
        event.type = c.type;
        event.windows_key_code = c.key;
        event.modifiers = c.modifiers;
        EXPECT_EQ(handler->OnKeyEvent(browser, event, nullptr), c.opens);
        EXPECT_EQ(browser->host->devToolsShown, c.opens ? 1 : 0);
    }
}

TEST_F(ClientHandlerTest, ReportsOnlyMainFrameLoads) {
    HostWithChild a;
    auto browser = FakeBrowser::Make(17, a.child);
    handler->OnLoadEnd(browser, FakeFrame::Make(false), 200);
    EXPECT_THAT(Posted(a.host), ElementsAre());
    handler->OnLoadEnd(browser, FakeFrame::Make(true), 404);
    EXPECT_THAT(Posted(a.host), ElementsAre(PostedMessage{WM_WEB_LOAD_END, 0, "", 17}));
}

TEST_F(ClientHandlerTest, ReportsAndCancelsPopups) {
    HostWithChild a;
    auto browser = FakeBrowser::Make(23, a.child);
    EXPECT_TRUE(CallOnBeforePopup(*handler, browser, L"http://127.0.0.1/\u65b0"));
    EXPECT_THAT(Posted(a.host),
                ElementsAre(PostedMessage{WM_WEB_POPUP, 23, "http://127.0.0.1/\xe6\x96\xb0"}));
}

namespace {

struct OrderCase {
    const char* name;
    std::function<void(CefRefPtr<CefListValue>)> fill;
    std::string posted;
};

const OrderCase kOrderCases[] = {
    {"JSON text",
     [](CefRefPtr<CefListValue> list) { list->SetString(0, L"{\"name\":\"\u5143\u5b9d\"}"); },
     "{\"name\":\"\xd4\xaa\xb1\xa6\"}"},
    {"unrepresentable character",
     [](CefRefPtr<CefListValue> list) { list->SetString(0, L"a\u0e01"); }, "a?"},
    {"no argument", [](CefRefPtr<CefListValue>) {}, ""},
    {"null", [](CefRefPtr<CefListValue> list) { list->SetNull(0); }, ""},
    {"bool then text",
     [](CefRefPtr<CefListValue> list) {
         list->SetBool(0, true);
         list->SetString(1, "x");
     },
     ""},
    {"integer", [](CefRefPtr<CefListValue> list) { list->SetInt(0, 5); }, ""},
};

}  // namespace

TEST_F(ClientHandlerTest, OrderRequestPostsTheFirstTextInTheAnsiCodePage) {
    for (const OrderCase& c : kOrderCases) {
        SCOPED_TRACE(c.name);
        HostWithChild a;
        auto message = CefProcessMessage::Create("CefOderRequest");
        c.fill(message->GetArgumentList());
        EXPECT_TRUE(handler->OnProcessMessageReceived(
            FakeBrowser::Make(1, a.child), FakeFrame::Make(false), PID_RENDERER, message));
        EXPECT_THAT(Posted(a.host), ElementsAre(PostedMessage{WM_WEB_ORDER_REQUEST, 0, c.posted}));
    }
}

TEST_F(ClientHandlerTest, MessagesWithoutAHandlerAreNotHandled) {
    HostWithChild a;
    EXPECT_THAT(messageHandlers, ElementsAre(Pair(L"CefOderRequest", testing::_)));
    for (const char* name : {"CefOrderRequest", "cefoderrequest", ""}) {
        auto message = CefProcessMessage::Create(name);
        message->GetArgumentList()->SetString(0, "{}");
        EXPECT_FALSE(handler->OnProcessMessageReceived(
            FakeBrowser::Make(1, a.child), FakeFrame::Make(true), PID_RENDERER, message));
    }
    EXPECT_THAT(Posted(a.host), ElementsAre());
}

TEST_F(ClientHandlerTest, NothingIsLeftBehindForAVanishedHost) {
    HostWithChild a;
    auto browser = FakeBrowser::Make(1, a.child);
    handler->SetBlockUrls(a.host, {""});
    auto message = CefProcessMessage::Create("CefOderRequest");
    message->GetArgumentList()->SetString(0, "{}");
    auto request = FakeRequest::Make("http://a/");
    auto frame = FakeFrame::Make(true);
    a.Destroy();

    const long before = LiveHeapBlocks();
    handler->OnBeforeBrowse(browser, frame, request, false, false);
    CallOnBeforePopup(*handler, browser, L"http://a/");
    handler->OnProcessMessageReceived(browser, frame, PID_RENDERER, message);
    EXPECT_EQ(LiveHeapBlocks(), before);
}
