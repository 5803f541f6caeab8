// Entry of the browser host tests. The browser runtime starts its
// sub-processes from this executable, so it is started first, as the
// launcher's entry does.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "cef_browser_object.h"

int main(int argc, char** argv) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring root =
        std::wstring(temp) + L"browser-host-test-" + std::to_wstring(GetCurrentProcessId());
    char folder[MAX_PATH * 3] = {};
    WideCharToMultiByte(CP_UTF8, 0, root.c_str(), -1, folder, sizeof folder, nullptr, nullptr);

    CefInitParams params;
    params.hInstance = GetModuleHandleW(nullptr);
    params.cachePath = std::string(folder) + "\\cache";
    params.userDataPath = std::string(folder) + "\\data";
    int exitCode = -1;
    if (!CefBrowserObject::CefInit(params, exitCode)) return exitCode;
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    CefBrowserObject::CefShutDown();
    return result;
}
