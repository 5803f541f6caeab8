// Load times of a page with 100 sub-resources through the runtime (with a
// header-adding resource handler) and through the same headless engine
// driven directly, in one run; and the time from CefInitialize to the first
// OnLoadEnd of a small page. Prints figures; asserts nothing.
// Run it with the loopback server serving tests/cef_standin/bench/pages:
//   tools/with_server.py --root tests/cef_standin/bench/pages --name bench
//       -- <build>/wine-run <build>/bin/cef_standin_bench.exe
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "devtools_connection.h"
#include "engine_process.h"
#include "include/cef_app.h"
#include "include/cef_client.h"
#include "json_text.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 9;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Waits for main-frame loads and adds two headers to every request.
class BenchClient : public CefClient,
                    public CefLifeSpanHandler,
                    public CefLoadHandler,
                    public CefRequestHandler,
                    public CefResourceRequestHandler {
  public:
    CefRefPtr<CefLifeSpanHandler> GetLifeSpanHandler() override { return this; }
    CefRefPtr<CefLoadHandler> GetLoadHandler() override { return this; }
    CefRefPtr<CefRequestHandler> GetRequestHandler() override { return this; }
    CefRefPtr<CefResourceRequestHandler> GetResourceRequestHandler(CefRefPtr<CefBrowser>,
                                                                   CefRefPtr<CefFrame>,
                                                                   CefRefPtr<CefRequest>, bool,
                                                                   bool, const CefString&,
                                                                   bool&) override {
        return this;
    }
    ReturnValue OnBeforeResourceLoad(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>,
                                     CefRefPtr<CefRequest> request,
                                     CefRefPtr<CefCallback>) override {
        CefRequest::HeaderMap headers;
        request->GetHeaderMap(headers);
        headers.insert(std::make_pair("version", "1.0.0.1"));
        headers.insert(std::make_pair("payment", "360pay"));
        request->SetHeaderMap(headers);
        return RV_CONTINUE;
    }
    void OnAfterCreated(CefRefPtr<CefBrowser> browser) override {
        std::lock_guard<std::mutex> lock(mutex_);
        browser_ = browser;
    }
    void OnBeforeClose(CefRefPtr<CefBrowser>) override {
        std::lock_guard<std::mutex> lock(mutex_);
        browser_ = nullptr;
        closed_ = true;
        changed_.notify_all();
    }
    void OnLoadEnd(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame> frame, int) override {
        if (!frame->IsMain()) return;
        std::lock_guard<std::mutex> lock(mutex_);
        ++loads_;
        changed_.notify_all();
    }

    // Waits until |count| main-frame loads have ended.
    bool WaitForLoads(int count) {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(60), [&] { return loads_ >= count; });
    }
    bool WaitForClose() {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(30), [&] { return closed_; });
    }
    CefRefPtr<CefBrowser> browser() {
        std::lock_guard<std::mutex> lock(mutex_);
        return browser_;
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int loads_ = 0;
    bool closed_ = false;
    CefRefPtr<CefBrowser> browser_;
    IMPLEMENT_REFCOUNTING(BenchClient);
};

std::string TempFolder(const char* name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + name + std::to_string(GetCurrentProcessId());
}

// The runtime: time to the first load, then the big page kRuns times.
bool MeasureRuntime(const std::string& server, double& first_load, std::vector<double>& loads) {
    CefSettings settings;
    settings.no_sandbox = 1;
    settings.multi_threaded_message_loop = 1;
    settings.log_severity = LOGSEVERITY_DISABLE;
    CefString(&settings.user_data_path) = TempFolder("cef_bench_runtime_");
    const Clock::time_point start = Clock::now();
    if (!CefInitialize(CefMainArgs(GetModuleHandleW(nullptr)), settings, nullptr, nullptr)) {
        return false;
    }
    CefRefPtr<BenchClient> client = new BenchClient();
    CefWindowInfo info;
    info.SetAsPopup(nullptr, "bench");
    info.style &= ~WS_VISIBLE;
    info.bounds = CefRect(0, 0, 1024, 768);
    CefBrowserHost::CreateBrowser(info, client.get(), server + "/small.html", CefBrowserSettings(),
                                  nullptr, nullptr);
    bool ok = client->WaitForLoads(1);
    first_load = Milliseconds(Clock::now() - start);
    for (int run = 0; ok && run < kRuns; ++run) {
        const Clock::time_point begin = Clock::now();
        client->browser()->GetMainFrame()->LoadURL(server + "/many.html?runtime" +
                                                   std::to_string(run));
        ok = client->WaitForLoads(run + 2);
        loads.push_back(Milliseconds(Clock::now() - begin));
    }
    if (CefRefPtr<CefBrowser> browser = client->browser()) {
        browser->GetHost()->CloseBrowser(true);
        client->WaitForClose();
    }
    CefShutdown();
    return ok;
}

// The same engine without the runtime: one page, navigated directly.
bool MeasurePlain(const std::string& server, std::vector<double>& loads) {
    using namespace cef_standin;
    const std::string folder = TempFolder("cef_bench_plain_");
    CreateDirectoryA(folder.c_str(), nullptr);
    EngineProcess engine;
    EngineEndpoint endpoint;
    const std::vector<std::string> switches = {"--headless",
                                               "--no-sandbox",
                                               "--disable-gpu",
                                               "--no-first-run",
                                               "--disable-background-networking",
                                               "--remote-debugging-port=0"};
    if (!engine.Launch(switches, std::wstring(folder.begin(), folder.end())) ||
        !engine.WaitForEndpoint(endpoint)) {
        return false;
    }
    std::mutex mutex;
    std::condition_variable changed;
    int loads_done = 0;
    DevToolsConnection connection;
    bool ok =
        connection.Open(endpoint.port, endpoint.browser_path,
                        [&](const std::string& method, const DevToolsMessage&, const std::string&) {
                            if (method != "Page.loadEventFired") return;
                            std::lock_guard<std::mutex> lock(mutex);
                            ++loads_done;
                            changed.notify_all();
                        });
    std::string session;
    if (ok) {
        const std::string target = JsonGetString(
            connection.Send("Target.createTarget", "{\"url\":\"about:blank\"}", "").value(),
            "targetId");
        session =
            JsonGetString(connection
                              .Send("Target.attachToTarget",
                                    "{\"targetId\":" + JsonQuote(target) + ",\"flatten\":true}", "")
                              .value(),
                          "sessionId");
        ok = connection.Send("Page.enable", "", session).ok;
    }
    for (int run = 0; ok && run < kRuns; ++run) {
        const Clock::time_point begin = Clock::now();
        connection.SendAsync(
            "Page.navigate",
            "{\"url\":" + JsonQuote(server + "/many.html?plain" + std::to_string(run)) + "}",
            session, nullptr);
        std::unique_lock<std::mutex> lock(mutex);
        ok = changed.wait_for(lock, std::chrono::seconds(60), [&] { return loads_done > run; });
        loads.push_back(Milliseconds(Clock::now() - begin));
    }
    connection.Send("Browser.close", "", "", 3000);
    connection.Close();
    engine.Stop();
    return ok;
}

}  // namespace

int main() {
    const int sub_process =
        CefExecuteProcess(CefMainArgs(GetModuleHandleW(nullptr)), nullptr, nullptr);
    if (sub_process >= 0) return sub_process;
    const char* server = std::getenv("HLVN_TEST_SERVER");
    if (!server) {
        std::fprintf(stderr, "HLVN_TEST_SERVER is not set (run through tools/with_server.py)\n");
        return 2;
    }
    double first_load = 0;
    std::vector<double> runtime_loads;
    std::vector<double> plain_loads;
    if (!MeasureRuntime(server, first_load, runtime_loads)) {
        std::fprintf(stderr, "runtime measurement failed\n");
        return 1;
    }
    if (!MeasurePlain(server, plain_loads)) {
        std::fprintf(stderr, "plain engine measurement failed\n");
        return 1;
    }
    const double runtime_median = Median(runtime_loads);
    const double plain_median = Median(plain_loads);
    std::printf("CefInitialize to first OnLoadEnd (small page): %.0f ms\n", first_load);
    std::printf("page with 100 sub-resources, median of %d loads:\n", kRuns);
    std::printf("  through the runtime (header handler): %.1f ms\n", runtime_median);
    std::printf("  plain headless engine:                %.1f ms\n", plain_median);
    std::printf("  ratio runtime / plain:                %.2f\n", runtime_median / plain_median);
    return 0;
}
