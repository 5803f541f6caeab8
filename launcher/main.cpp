// Program entry of hlvn.exe. The same executable also runs every sub-process
// of the browser runtime, so the runtime gets the first word.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>

#include "browser_folders.h"
#include "cef_browser_object.h"
#include "debug_log.h"
#include "services/payment_steps.h"
#include "skin/message_loop.h"
#include "skin/skin_package.h"
#include "windows/login_dialog.h"

namespace {

constexpr wchar_t kMutexName[] = L"PinnaceLogin";
constexpr wchar_t kWindowTitle[] = L"Halvane";

void Log(int line, const std::wstring& message) {
    DebugLog::Instance().WriteWide(0, __FILE__, line, "wWinMain", message);
}

// Shows the first instance's window with this instance's show command.
void ShowFirstInstance(int nCmdShow) {
    HWND first = FindWindowW(nullptr, kWindowTitle);
    if (first && IsWindow(first)) ShowWindow(first, nCmdShow);
}

void DeleteUnpackedArchiver() {
    wchar_t folder[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, folder, CSIDL_LOCAL_APPDATA, FALSE)) return;
    DeleteFileW((std::wstring(folder) + L"\\7z.dll").c_str());
}

}  // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR cmdLine, int nCmdShow) {
    const BrowserFolders folders = QueryBrowserFolders();
    CefInitParams params;
    params.mainEntry = reinterpret_cast<void*>(&wWinMain);
    params.cmdLine = cmdLine;
    params.hInstance = GetModuleHandleW(nullptr);
    params.nCmdShow = nCmdShow;
    params.cachePath = folders.cachePath;
    params.userDataPath = folders.userDataPath;

    // A second launcher must not start the browser runtime at all: the runtime's
    // folders are in use by the first one, which would make its start fail
    // before the first window could be shown. Runtime sub-processes (with a
    // "type" switch) take no mutex.
    const bool mainProcess = CefBrowserObject::CefProcessType().empty();
    if (mainProcess) {
        // Owned for the whole run; the system releases it when the process ends.
        CreateMutexW(nullptr, TRUE, kMutexName);
        if (GetLastError() == ERROR_ALREADY_EXISTS) {
            Log(__LINE__, L"CreateMutex(PinnaceLogin) GetLastError:ERROR_ALREADY_EXISTS");
            ShowFirstInstance(nCmdShow);
            return 0;
        }
    }

    int exitCode = 0;
    if (!CefBrowserObject::CefInit(params, exitCode)) return exitCode;

    if (FAILED(CoInitialize(nullptr))) {
        Log(__LINE__, L"CoInitialize false GetLastError:" + std::to_wstring(GetLastError()));
        return 0;
    }

    if (!RunPaymentStartup()) return 0;

    skin::SetResourceInstance(hInstance);
    // Without its first window nothing would ever end the message loop.
    if (!LoginDialog::Open()) return 1;
    skin::RunMessageLoop();

    DeleteUnpackedArchiver();
    CoUninitialize();
    CefBrowserObject::CefShutDown();
    RunPaymentShutdown();
    return 0;
}
