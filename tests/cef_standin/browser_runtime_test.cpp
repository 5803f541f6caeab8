// The runtime's behaviour seen through CEF's API, against the loopback
// server: windows, navigation and request handlers, popups, loads, script
// contexts and native functions, closing.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "include/cef_app.h"
#include "server_log.h"
#include "test_client.h"
#include "test_settings.h"

namespace {

constexpr int kLeft = 10;
constexpr int kTop = 20;
constexpr int kWidth = 640;
constexpr int kHeight = 400;

bool HasMessage(TestClient& client, const std::string& name) {
    return client.WaitFor("message", [&](const Report& r) { return r.url == name; });
}

Report Message(TestClient& client, const std::string& name) {
    for (const auto& report : client.Reports("message")) {
        if (report.url == name) return report;
    }
    return Report{};
}

bool WaitForServer(const std::string& fragment, TestClient& client) {
    for (int i = 0; i < 400; ++i) {
        if (!ServerRequests(fragment).empty()) return true;
        client.Pump(0.05);
    }
    return false;
}

class BrowserTest : public ::testing::Test {
  protected:
    void SetUp() override {
        parent_ = CreateWindowExW(0, L"STATIC", L"parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                  900, 700, nullptr, nullptr, nullptr, nullptr);
        client_ = new TestClient();
    }

    void TearDown() override {
        if (CefRefPtr<CefBrowser> browser = browser_) {
            browser_ = nullptr;
            browser->GetHost()->CloseBrowser(true);
            client_->WaitFor("closed", [](const Report&) { return true; });
        }
        DestroyWindow(parent_);
    }

    // Makes the browser on |path| and waits for its main frame to load.
    void Open(const std::string& path) {
        CefWindowInfo info;
        info.SetAsChild(parent_, CefRect(kLeft, kTop, kWidth, kHeight));
        ASSERT_TRUE(CefBrowserHost::CreateBrowser(info, client_.get(), ServerUrl() + path,
                                                  CefBrowserSettings(), nullptr, nullptr));
        browser_ = client_->WaitForBrowser();
        ASSERT_TRUE(browser_);
        ASSERT_TRUE(MainLoaded(path));
    }

    bool MainLoaded(const std::string& path) {
        return client_->WaitFor("load", [&](const Report& r) {
            return r.is_main && r.url.find(path) != std::string::npos;
        });
    }

    void Run(const std::string& script) {
        browser_->GetMainFrame()->ExecuteJavaScript(script, CefString(), 0);
    }

    DWORD UiThread() { return client_->Reports("created").front().thread; }

    HWND parent_ = nullptr;
    CefRefPtr<TestClient> client_;
    CefRefPtr<CefBrowser> browser_;
};

TEST_F(BrowserTest, MakesChildWindowSizedPageAndReportsOnUiThread) {
    Open("/index.html");
    HWND window = browser_->GetHost()->GetWindowHandle();
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(GetParent(window), parent_);
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN),
              WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN);
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, kLeft);
    EXPECT_EQ(rect.top, kTop);
    EXPECT_EQ(rect.right - rect.left, kWidth);
    EXPECT_EQ(rect.bottom - rect.top, kHeight);

    EXPECT_NE(UiThread(), GetCurrentThreadId());
    EXPECT_EQ(UiThread(), GetWindowThreadProcessId(window, nullptr));
    EXPECT_TRUE(client_->preference_result);

    Run("cefTest.send('size', innerWidth, innerHeight, devicePixelRatio)");
    ASSERT_TRUE(HasMessage(*client_, "size"));
    Report size = Message(*client_, "size");
    EXPECT_EQ(size.args->GetInt(0), kWidth);
    EXPECT_EQ(size.args->GetInt(1), kHeight);
    EXPECT_EQ(size.args->GetInt(2), 1);
    EXPECT_EQ(size.thread, UiThread());
}

TEST_F(BrowserTest, LoadAskedRightAfterCreationIsTheOneThatStays) {
    CefWindowInfo info;
    info.SetAsChild(parent_, CefRect(kLeft, kTop, kWidth, kHeight));
    ASSERT_TRUE(CefBrowserHost::CreateBrowser(info, client_.get(), ServerUrl() + "/index.html",
                                              CefBrowserSettings(), nullptr, nullptr));
    browser_ = client_->WaitForBrowser();
    ASSERT_TRUE(browser_);
    browser_->GetMainFrame()->LoadURL(ServerUrl() + "/page2.html");
    ASSERT_TRUE(MainLoaded("/page2.html"));
    Sleep(1000);
    std::vector<Report> main_loads;
    for (const Report& r : client_->Reports("load")) {
        if (r.is_main) main_loads.push_back(r);
    }
    ASSERT_FALSE(main_loads.empty());
    EXPECT_NE(main_loads.back().url.find("/page2.html"), std::string::npos);
}

TEST_F(BrowserTest, GivesEachBrowserItsOwnIdentifier) {
    Open("/index.html");
    CefRefPtr<TestClient> other_client = new TestClient();
    CefWindowInfo info;
    info.SetAsChild(parent_, CefRect(0, 0, 100, 100));
    ASSERT_TRUE(CefBrowserHost::CreateBrowser(info, other_client.get(), ServerUrl() + "/page2.html",
                                              CefBrowserSettings(), nullptr, nullptr));
    CefRefPtr<CefBrowser> other = other_client->WaitForBrowser();
    ASSERT_TRUE(other);
    EXPECT_NE(other->GetIdentifier(), browser_->GetIdentifier());
    EXPECT_FALSE(other->IsSame(browser_));
    EXPECT_TRUE(browser_->IsSame(browser_->GetHost()->GetBrowser()));
    other->GetHost()->CloseBrowser(true);
    EXPECT_TRUE(other_client->WaitFor("closed", [](const Report&) { return true; }));
}

TEST_F(BrowserTest, ReportsEveryDocumentRequestAndRedirectOnUiThread) {
    Open("/index.html");
    Run("location.href = '/__redirect?to=/page2.html%3Fredirected'");
    ASSERT_TRUE(MainLoaded("/page2.html?redirected"));
    auto browses = client_->Reports("browse");
    ASSERT_GE(browses.size(), 3u);
    for (const auto& report : browses) {
        EXPECT_TRUE(report.is_main);
        EXPECT_EQ(report.thread, UiThread());
    }
    bool saw_first = false;
    bool saw_redirect = false;
    for (const auto& report : browses) {
        if (report.url.find("/__redirect") != std::string::npos) saw_first = !report.flag;
        if (report.url.find("/page2.html?redirected") != std::string::npos) {
            saw_redirect = report.flag;
        }
    }
    EXPECT_TRUE(saw_first);
    EXPECT_TRUE(saw_redirect);

    Run("location.href = '/frames.html'");
    ASSERT_TRUE(MainLoaded("/frames.html"));
    EXPECT_TRUE(client_->WaitFor("browse", [](const Report& r) {
        return !r.is_main && r.url.find("/child.html") != std::string::npos;
    }));
}

TEST_F(BrowserTest, CancelledNavigationLeavesPageWhereItWas) {
    client_->block_fragment = "client=1";
    Open("/index.html");
    Run("location.href = '/page2.html?client=1'");
    ASSERT_TRUE(client_->WaitFor(
        "browse", [](const Report& r) { return r.url.find("client=1") != std::string::npos; }));
    Run("cefTest.send('where', location.pathname)");
    ASSERT_TRUE(HasMessage(*client_, "where"));
    EXPECT_EQ(Message(*client_, "where").args->GetString(0).ToString(), "/index.html");
    EXPECT_EQ(browser_->GetMainFrame()->GetURL().ToString().find("client=1"), std::string::npos);
    EXPECT_TRUE(ServerRequests("client=1").empty());
}

TEST_F(BrowserTest, HeaderEditsReachServerForEverySubResource) {
    client_->extra_headers.insert(std::make_pair("X-Test", "one"));
    client_->extra_headers.insert(std::make_pair("X-Test", "two"));
    client_->extra_headers.insert(std::make_pair("payment", "360pay"));
    Open("/resources.html");
    for (const char* path :
         {"/resources.html", "/style.css?sub", "/script.js?sub", "/image.svg?sub"}) {
        SCOPED_TRACE(path);
        ASSERT_TRUE(WaitForServer(path, *client_));
        LoggedRequest request = ServerRequests(path).front();
        EXPECT_EQ(request.Header("X-Test"), std::vector<std::string>{"one, two"});
        EXPECT_EQ(request.Header("payment"), std::vector<std::string>{"360pay"});
        EXPECT_EQ(request.Header("User-Agent"), std::vector<std::string>{kTestUserAgent});
        ASSERT_EQ(request.Header("Accept-Language").size(), 1u);
        EXPECT_EQ(request.Header("Accept-Language")[0].rfind("zh-CN", 0), 0u);
        EXPECT_TRUE(client_->WaitFor(
            "resource", [&](const Report& r) { return r.url.find(path) != std::string::npos; }));
    }
    for (const auto& report : client_->Reports("resource")) {
        EXPECT_NE(report.thread, UiThread());
        EXPECT_NE(report.thread, GetCurrentThreadId());
    }
}

TEST_F(BrowserTest, RefusedPopupsLeaveNoWindowAndNoRequest) {
    Open("/popup.html");
    Run("document.getElementById('link').click()");
    Run("window.open('/popup-target.html?open')");
    for (const char* target : {"/popup-target.html?open", "/popup-target.html?link"}) {
        SCOPED_TRACE(target);
        EXPECT_TRUE(client_->WaitFor(
            "popup", [&](const Report& r) { return r.url.find(target) != std::string::npos; }));
    }
    // Time for a popup's page to load, had it been let through.
    client_->Pump(2);
    EXPECT_TRUE(ServerRequests("popup-target").empty());
    EXPECT_EQ(client_->Reports("created").size(), 1u);
    EXPECT_EQ(FindWindowW(L"CefBrowserWindow", nullptr), nullptr);
}

TEST_F(BrowserTest, AllowedPopupBecomesPopupBrowser) {
    client_->refuse_popups = false;
    Open("/popup.html");
    Run("window.open('/popup-target.html?allowed')");
    ASSERT_TRUE(client_->WaitFor("created", [](const Report& r) { return r.flag; }));
    EXPECT_TRUE(MainLoaded("/popup-target.html?allowed"));
    int popup_id = 0;
    for (const auto& report : client_->Reports("created")) {
        if (report.flag) popup_id = report.browser;
    }
    HWND popup_window = FindWindowW(L"CefBrowserWindow", nullptr);
    EXPECT_NE(popup_window, nullptr);
    PostMessageW(popup_window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(client_->WaitFor("closed", [&](const Report& r) { return r.browser == popup_id; }));
}

TEST_F(BrowserTest, LoadEndOncePerFrameWithStatus) {
    Open("/frames.html");
    ASSERT_TRUE(client_->WaitFor("load", [](const Report& r) {
        return !r.is_main && r.url.find("/child.html") != std::string::npos;
    }));
    Run("location.href = '/__status/404'");
    ASSERT_TRUE(MainLoaded("/__status/404"));
    int frames_main = 0;
    for (const auto& report : client_->Reports("load")) {
        if (report.url.find("/frames.html") != std::string::npos) {
            EXPECT_TRUE(report.is_main);
            EXPECT_EQ(report.status, 200);
            ++frames_main;
        }
        if (report.url.find("/child.html") != std::string::npos) {
            EXPECT_EQ(report.status, 200);
        }
        if (report.url.find("/__status/404") != std::string::npos) {
            EXPECT_EQ(report.status, 404);
        }
    }
    EXPECT_EQ(frames_main, 1);
}

TEST_F(BrowserTest, ScriptContextsReachRendererProcess) {
    Open("/frames.html");
    ASSERT_TRUE(client_->WaitFor(
        "message", [](const Report& r) { return r.url == "ContextCreated" && !r.is_main; }));
    bool main_context = false;
    for (const auto& report : client_->Reports("message")) {
        if (report.url != "ContextCreated") continue;
        EXPECT_EQ(report.status, PID_RENDERER);
        EXPECT_NE(report.args->GetInt(1), static_cast<int>(GetCurrentProcessId()));
        EXPECT_EQ(report.args->GetInt(2), browser_->GetIdentifier());
        EXPECT_EQ(report.thread, UiThread());
        if (report.args->GetBool(0)) main_context = true;
    }
    EXPECT_TRUE(main_context);
    ASSERT_TRUE(HasMessage(*client_, "child-call"));
    EXPECT_FALSE(Message(*client_, "child-call").is_main);
    EXPECT_EQ(Message(*client_, "child-call").args->GetString(0).ToString(), "s:from-child|this");
}

TEST_F(BrowserTest, ObjectsAreThereBeforePageScriptsRun) {
    Open("/early.html");
    ASSERT_TRUE(HasMessage(*client_, "early"));
    Report early = Message(*client_, "early");
    EXPECT_EQ(early.args->GetString(0).ToString(), "function");
    EXPECT_TRUE(early.args->GetBool(1));
}

TEST_F(BrowserTest, NativeFunctionsConvertArgumentsAndReturnPlainValues) {
    Open("/index.html");
    Run("cefTest.send('call', cefTest.echo('abc', true, 7, 1.5, null, undefined, {a: 1, b: 'x'}, "
        "[1, 2], function () {}), typeof cefTest.object(), cefTest.label, cefTest.nested.depth, "
        "cefTest.pid(), typeof cefTest.missing)");
    ASSERT_TRUE(HasMessage(*client_, "call"));
    CefRefPtr<CefListValue> args = Message(*client_, "call").args;
    EXPECT_EQ(args->GetString(0).ToString(), "s:abc|b:1|i:7|d:1.5|n|u|o:a,b|a:2|f|this");
    EXPECT_EQ(args->GetString(1).ToString(), "undefined");
    EXPECT_EQ(args->GetString(2).ToString(), "标签");
    EXPECT_EQ(args->GetInt(3), 2);
    EXPECT_NE(args->GetInt(4), static_cast<int>(GetCurrentProcessId()));
    EXPECT_EQ(args->GetString(5).ToString(), "undefined");

    Run("try { cefTest.fail(); cefTest.send('thrown', 'no'); } "
        "catch (e) { cefTest.send('thrown', e.message); }");
    ASSERT_TRUE(HasMessage(*client_, "thrown"));
    EXPECT_EQ(Message(*client_, "thrown").args->GetString(0).ToString(), "refused by the handler");
}

TEST_F(BrowserTest, ExecuteJavaScriptRunsInFrame) {
    Open("/index.html");
    Run("fetch('/exec-marker?' + document.getElementById('text').textContent)");
    EXPECT_TRUE(WaitForServer("/exec-marker?index", *client_));
}

TEST_F(BrowserTest, CloseBrowserClosesPageAndWindow) {
    for (bool force : {false, true}) {
        SCOPED_TRACE(force ? "forced" : "ordinary");
        client_ = new TestClient();
        Open("/index.html");
        HWND window = browser_->GetHost()->GetWindowHandle();
        const int id = browser_->GetIdentifier();
        browser_->GetHost()->CloseBrowser(force);
        ASSERT_TRUE(client_->WaitFor("closed", [&](const Report& r) { return r.browser == id; }));
        EXPECT_EQ(client_->Reports("do-close").size(), 1u);
        EXPECT_FALSE(IsWindow(window));
        EXPECT_FALSE(browser_->IsValid());
        browser_ = nullptr;
    }
}

}  // namespace
