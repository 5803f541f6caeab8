// Figures of the browser window's view, printed: frames painted per second
// for a page running a CSS animation in a 1280x720 window, CPU time of this
// process per second while a static page shows, and the time from a click in
// the window to the page's click handler (seen as the navigation it starts).
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "include/cef_app.h"
#include "include/cef_client.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 720;

const char kAnimatedPage[] =
    "data:text/html,<style>body{margin:0;background:rgb(20,20,60)}"
    "div{width:200px;height:200px;background:rgb(250,180,0);animation:move 2s linear infinite}"
    "@keyframes "
    "move{from{transform:translateX(0)}to{transform:translateX(1000px)}}</style><div></div>";
const char kStaticPage[] =
    "data:text/html,<body style='margin:0;background:rgb(0,120,200)'>"
    "<h1>static</h1></body>";
const char kClickPage[] =
    "data:text/html,<body style='margin:0;height:100vh' "
    "onclick=\"location.href='http://127.0.0.1:9/clicked'\"></body>";

class BenchApp : public CefApp {
    IMPLEMENT_REFCOUNTING(BenchApp);
};

class BenchClient : public CefClient, public CefLifeSpanHandler, public CefRequestHandler {
  public:
    CefRefPtr<CefLifeSpanHandler> GetLifeSpanHandler() override { return this; }
    CefRefPtr<CefRequestHandler> GetRequestHandler() override { return this; }
    void OnAfterCreated(CefRefPtr<CefBrowser> browser) override { browser_ = browser; }
    void OnBeforeClose(CefRefPtr<CefBrowser>) override { closed_ = true; }
    bool OnBeforeBrowse(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, CefRefPtr<CefRequest> request,
                        bool, bool) override {
        if (request->GetURL().ToString().find("/clicked") == std::string::npos) return false;
        clicked_at_ = std::chrono::steady_clock::now().time_since_epoch().count();
        return true;
    }

    CefRefPtr<CefBrowser> browser_;
    std::atomic<bool> closed_{false};
    std::atomic<long long> clicked_at_{0};

  private:
    IMPLEMENT_REFCOUNTING(BenchClient);
};

std::atomic<int> g_paints{0};
WNDPROC g_view_proc = nullptr;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_PAINT) ++g_paints;
    return CallWindowProcW(g_view_proc, window, message, wparam, lparam);
}

// Takes this thread's messages for |seconds|, or until |done| holds.
template <typename Done>
bool Pump(double seconds, Done done) {
    const auto end = std::chrono::steady_clock::now() +
                     std::chrono::milliseconds(static_cast<int>(seconds * 1000));
    while (std::chrono::steady_clock::now() < end) {
        if (done()) return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    return done();
}

double ProcessCpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& t) {
        return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

void Load(CefRefPtr<CefBrowser> browser, const char* url) {
    browser->GetMainFrame()->LoadURL(url);
    Pump(3, [] { return false; });
}

}  // namespace

int main() {
    CefMainArgs args(GetModuleHandleW(nullptr));
    const int sub_process = CefExecuteProcess(args, new BenchApp(), nullptr);
    if (sub_process >= 0) return sub_process;
    CefSettings settings;
    settings.no_sandbox = 1;
    settings.multi_threaded_message_loop = 1;
    if (!CefInitialize(args, settings, new BenchApp(), nullptr)) {
        std::printf("runtime did not start\n");
        return 1;
    }
    RECT frame{0, 0, kWidth, kHeight};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    HWND parent = CreateWindowExW(0, L"STATIC", L"view bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                  0, frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                  nullptr, nullptr, nullptr);
    CefRefPtr<BenchClient> client = new BenchClient();
    CefWindowInfo info;
    info.SetAsChild(parent, CefRect(0, 0, kWidth, kHeight));
    CefBrowserHost::CreateBrowser(info, client.get(), "about:blank", CefBrowserSettings(), nullptr,
                                  nullptr);
    if (!Pump(20, [&] { return client->browser_ != nullptr; })) return 2;
    CefRefPtr<CefBrowser> browser = client->browser_;
    HWND view = browser->GetHost()->GetWindowHandle();
    g_view_proc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(view, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc)));

    Load(browser, kAnimatedPage);
    constexpr double kSeconds = 10;
    g_paints = 0;
    Pump(kSeconds, [] { return false; });
    std::printf("animation: %.1f frames painted per second (%dx%d)\n", g_paints / kSeconds, kWidth,
                kHeight);

    Load(browser, kStaticPage);
    const double cpu_before = ProcessCpuSeconds();
    Pump(kSeconds, [] { return false; });
    const double cpu = (ProcessCpuSeconds() - cpu_before) / kSeconds;
    std::printf("idle static page: %.2f %% of one core\n", cpu * 100);

    Load(browser, kClickPage);
    std::vector<double> latencies;
    for (int i = 0; i < 10; ++i) {
        client->clicked_at_ = 0;
        const auto start = std::chrono::steady_clock::now();
        PostMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200 + i, 200));
        PostMessageW(view, WM_LBUTTONUP, 0, MAKELPARAM(200 + i, 200));
        if (!Pump(5, [&] { return client->clicked_at_ != 0; })) continue;
        const auto at = std::chrono::steady_clock::time_point(
            std::chrono::steady_clock::duration(client->clicked_at_.load()));
        latencies.push_back(std::chrono::duration<double, std::milli>(at - start).count());
        Pump(0.5, [] { return false; });
    }
    std::sort(latencies.begin(), latencies.end());
    if (latencies.empty()) {
        std::printf("click latency: no click reached the page\n");
    } else {
        std::printf("click to click handler: median %.1f ms, worst %.1f ms (%zu clicks)\n",
                    latencies[latencies.size() / 2], latencies.back(), latencies.size());
    }

    browser->GetHost()->CloseBrowser(true);
    browser = nullptr;
    client->browser_ = nullptr;
    Pump(10, [&] { return client->closed_.load(); });
    DestroyWindow(parent);
    CefShutdown();
    return 0;
}
