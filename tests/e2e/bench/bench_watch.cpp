// Starts one program and watches it from outside: milliseconds from its start
// to its first visible top-level window, to the first visible window owned by
// that one (the launcher's page panel), and its peak private memory. Closes
// the program once it has shown what is watched for, and prints one JSON line.
//   bench_watch [--panel] PROGRAM
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>

namespace {

struct Search {
    DWORD pid;
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->pid || !IsWindowVisible(window)) return TRUE;
    if (GetWindow(window, GW_OWNER) != search->owner) return TRUE;
    search->found = window;
    return FALSE;
}

HWND VisibleWindow(DWORD pid, HWND owner) {
    Search search{pid, owner, nullptr};
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    bool panel = argc == 3 && std::wstring(argv[1]) == L"--panel";
    if (argc != (panel ? 3 : 2)) {
        std::fprintf(stderr, "usage: bench_watch [--panel] PROGRAM\n");
        return 2;
    }
    std::wstring commandLine = L"\"" + std::wstring(argv[argc - 1]) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER start, now;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "cannot start the program: %lu\n", GetLastError());
        return 1;
    }
    double windowMs = -1, panelMs = -1;
    SIZE_T peakPrivate = 0;
    HWND window = nullptr;
    const DWORD deadline = GetTickCount() + 120000;
    while (GetTickCount() < deadline && WaitForSingleObject(process.hProcess, 5) == WAIT_TIMEOUT) {
        PROCESS_MEMORY_COUNTERS_EX memory{};
        if (GetProcessMemoryInfo(process.hProcess,
                                 reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                                 sizeof memory) &&
            memory.PrivateUsage > peakPrivate) {
            peakPrivate = memory.PrivateUsage;
        }
        QueryPerformanceCounter(&now);
        if (!window) {
            window = VisibleWindow(process.dwProcessId, nullptr);
            if (window) windowMs = Milliseconds(start, now);
        } else if (panel && panelMs < 0 && VisibleWindow(process.dwProcessId, window)) {
            panelMs = Milliseconds(start, now);
        }
        if (window && (!panel || panelMs >= 0)) break;
    }
    Sleep(500);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    if (GetProcessMemoryInfo(process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof memory)) {
        if (memory.PrivateUsage > peakPrivate) peakPrivate = memory.PrivateUsage;
        if (memory.PeakPagefileUsage > peakPrivate) peakPrivate = memory.PeakPagefileUsage;
    }
    if (window) PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (WaitForSingleObject(process.hProcess, 30000) == WAIT_TIMEOUT) {
        TerminateProcess(process.hProcess, 1);
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    std::printf("{\"window_ms\":%.1f,\"panel_ms\":%.1f,\"peak_private_kb\":%llu,\"exit\":%lu}\n",
                windowMs, panelMs, static_cast<unsigned long long>(peakPrivate / 1024), exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return window ? 0 : 1;
}
