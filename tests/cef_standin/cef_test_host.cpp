// Test host of the runtime: the same executable is the browser process
// (GoogleTest cases, or one of the --host-mode runs the lifecycle script
// drives) and, started by the runtime with --type=renderer, its renderer.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "include/cef_app.h"
#include "test_app.h"
#include "test_client.h"
#include "test_settings.h"

namespace {

class RuntimeEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        CefMainArgs args(GetModuleHandleW(nullptr));
        ASSERT_TRUE(CefInitialize(args, TestSettings(TemporaryProfile()), new TestApp(), nullptr));
    }
    void TearDown() override {
        CefShutdown();
        const std::wstring folder = Wide(TemporaryProfile()) + L'\0';
        SHFILEOPSTRUCTW op{};
        op.wFunc = FO_DELETE;
        op.pFrom = folder.c_str();
        op.fFlags = FOF_NO_UI;
        SHFileOperationW(&op);
    }

  private:
    static std::wstring Wide(const std::string& text) { return CefString(text).ToWString(); }
};

// Lifecycle runs: "run" and "crash" start the runtime with the profile
// folder argv[2] and make one browser; when the file "release" appears in
// that folder, "run" shuts down and "crash" exits without shutting down;
// "start" only reports whether the runtime started.
int HostMode(const std::string& mode, const std::string& profile) {
    CefMainArgs args(GetModuleHandleW(nullptr));
    const bool started = CefInitialize(args, TestSettings(profile), new TestApp(), nullptr);
    if (mode == "start") return started ? 6 : 5;
    if (!started) return 2;
    HWND parent = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                  400, 300, nullptr, nullptr, nullptr, nullptr);
    CefRefPtr<TestClient> client = new TestClient();
    CefWindowInfo info;
    info.SetAsChild(parent, CefRect(0, 0, 300, 200));
    CefBrowserHost::CreateBrowser(info, client.get(), "about:blank", CefBrowserSettings(), nullptr,
                                  nullptr);
    if (!client->WaitForBrowser()) return 4;
    std::printf("CREATED\n");
    std::fflush(stdout);
    const std::string release = profile + "\\release";
    while (GetFileAttributesA(release.c_str()) == INVALID_FILE_ATTRIBUTES) client->Pump(0.1);
    if (mode == "crash") ExitProcess(3);
    CefRefPtr<CefBrowser> browser = client->WaitForBrowser();
    browser->GetHost()->CloseBrowser(true);
    client->WaitFor("closed", [](const Report&) { return true; });
    browser = nullptr;
    DestroyWindow(parent);
    CefShutdown();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    CefMainArgs args(GetModuleHandleW(nullptr));
    const int sub_process = CefExecuteProcess(args, new TestApp(), nullptr);
    if (sub_process >= 0) return sub_process;
    const std::string mode_switch = "--host-mode=";
    if (argc >= 2 && std::string(argv[1]).rfind(mode_switch, 0) == 0) {
        return HostMode(std::string(argv[1]).substr(mode_switch.size()), argc >= 3 ? argv[2] : "");
    }
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new RuntimeEnvironment());
    return RUN_ALL_TESTS();
}
