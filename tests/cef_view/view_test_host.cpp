// Test host of the view: the same executable is the browser process running
// the GoogleTest cases and, started by the runtime, its renderer process.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>

#include "include/cef_app.h"

namespace {

class HostApp : public CefApp {
    IMPLEMENT_REFCOUNTING(HostApp);
};

std::wstring ProfileFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"cef_view_test_" + std::to_wstring(GetCurrentProcessId());
}

class RuntimeEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        CefSettings settings;
        settings.no_sandbox = 1;
        settings.multi_threaded_message_loop = 1;
        CefString(&settings.user_data_path) = ProfileFolder();
        ASSERT_TRUE(CefInitialize(CefMainArgs(GetModuleHandleW(nullptr)), settings, new HostApp(),
                                  nullptr));
    }
    void TearDown() override {
        CefShutdown();
        const std::wstring folder = ProfileFolder() + L'\0';
        SHFILEOPSTRUCTW op{};
        op.wFunc = FO_DELETE;
        op.pFrom = folder.c_str();
        op.fFlags = FOF_NO_UI;
        SHFileOperationW(&op);
    }
};

}  // namespace

int main(int argc, char** argv) {
    const int sub_process =
        CefExecuteProcess(CefMainArgs(GetModuleHandleW(nullptr)), new HostApp(), nullptr);
    if (sub_process >= 0) return sub_process;
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new RuntimeEnvironment());
    return RUN_ALL_TESTS();
}
