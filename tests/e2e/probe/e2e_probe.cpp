// Observes the launcher's windows from outside, as another program on the
// same desktop would, and prints what it sees as JSON on standard output.
//   e2e_probe windows             every top-level window
//   e2e_probe children HWND       the child windows of HWND
//   e2e_probe post HWND MSG WPARAM LPARAM
//   e2e_probe workarea            work area and bounds of the primary monitor
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string out(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

std::string JsonString(const std::wstring& text) {
    std::string out = "\"";
    for (char c : Utf8(text)) {
        unsigned char u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string JsonRect(const RECT& r) {
    char text[80];
    std::snprintf(text, sizeof text, "[%ld,%ld,%ld,%ld]", r.left, r.top, r.right, r.bottom);
    return text;
}

// Never sends a message, so a window whose thread is busy cannot stall the probe.
std::wstring WindowText(HWND hwnd) {
    wchar_t text[512] = {};
    InternalGetWindowText(hwnd, text, 512);
    return text;
}

std::wstring ClassName(HWND hwnd) {
    wchar_t name[256] = {};
    GetClassNameW(hwnd, name, 256);
    return name;
}

std::string Describe(HWND hwnd) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char numbers[200];
    std::snprintf(numbers, sizeof numbers,
                  "\"hwnd\":%lld,\"pid\":%lu,\"owner\":%lld,\"visible\":%s,\"zoomed\":%s,"
                  "\"iconic\":%s,",
                  static_cast<long long>(reinterpret_cast<INT_PTR>(hwnd)), pid,
                  static_cast<long long>(reinterpret_cast<INT_PTR>(GetWindow(hwnd, GW_OWNER))),
                  IsWindowVisible(hwnd) ? "true" : "false", IsZoomed(hwnd) ? "true" : "false",
                  IsIconic(hwnd) ? "true" : "false");
    return std::string("{") + numbers + "\"title\":" + JsonString(WindowText(hwnd)) +
           ",\"class\":" + JsonString(ClassName(hwnd)) + ",\"rect\":" + JsonRect(rect) + "}";
}

BOOL CALLBACK Collect(HWND hwnd, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    return TRUE;
}

void PrintList(const std::vector<HWND>& windows) {
    std::string out = "[";
    for (size_t i = 0; i < windows.size(); ++i) {
        if (i) out += ",";
        out += Describe(windows[i]);
    }
    std::printf("%s]\n", out.c_str());
}

HWND ParseWindow(const wchar_t* text) {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(_wcstoi64(text, nullptr, 0)));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"windows" && argc == 2) {
        std::vector<HWND> windows;
        EnumWindows(Collect, reinterpret_cast<LPARAM>(&windows));
        PrintList(windows);
        return 0;
    }
    if (command == L"children" && argc == 3) {
        std::vector<HWND> windows;
        EnumChildWindows(ParseWindow(argv[2]), Collect, reinterpret_cast<LPARAM>(&windows));
        PrintList(windows);
        return 0;
    }
    if (command == L"post" && argc == 6) {
        BOOL posted =
            PostMessageW(ParseWindow(argv[2]), static_cast<UINT>(_wcstoi64(argv[3], nullptr, 0)),
                         static_cast<WPARAM>(_wcstoi64(argv[4], nullptr, 0)),
                         static_cast<LPARAM>(_wcstoi64(argv[5], nullptr, 0)));
        std::printf("{\"posted\":%s}\n", posted ? "true" : "false");
        return posted ? 0 : 1;
    }
    if (command == L"workarea" && argc == 2) {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
        std::printf("{\"work\":%s,\"monitor\":%s}\n", JsonRect(info.rcWork).c_str(),
                    JsonRect(info.rcMonitor).c_str());
        return 0;
    }
    std::fprintf(
        stderr,
        "usage: e2e_probe windows | children HWND | post HWND MSG WPARAM LPARAM | workarea\n");
    return 2;
}
