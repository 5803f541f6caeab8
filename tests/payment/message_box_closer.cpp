#include "message_box_closer.h"

#include <windows.h>

namespace {

constexpr int kTextControlId = 0xFFFF;

HWND FindOwnDialog() {
    struct Search {
        DWORD process;
        HWND found;
    } search{GetCurrentProcessId(), nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* search = reinterpret_cast<Search*>(param);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            wchar_t className[16] = {};
            GetClassNameW(window, className, 16);
            if (process != search->process || std::wstring(className) != L"#32770" ||
                !IsWindowVisible(window)) {
                return TRUE;
            }
            search->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring TextOf(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

}  // namespace

MessageBoxCloser::MessageBoxCloser() : watcher_(&MessageBoxCloser::Watch, this) {}

MessageBoxCloser::~MessageBoxCloser() { Finish(); }

ShownMessageBox MessageBoxCloser::Finish() {
    stop_ = true;
    if (watcher_.joinable()) watcher_.join();
    return shown_;
}

void MessageBoxCloser::Watch() {
    while (!stop_) {
        HWND box = FindOwnDialog();
        if (!box) {
            Sleep(20);
            continue;
        }
        shown_.found = true;
        shown_.caption = TextOf(box);
        shown_.text = TextOf(GetDlgItem(box, kTextControlId));
        EnumChildWindows(
            box,
            [](HWND child, LPARAM param) -> BOOL {
                wchar_t className[16] = {};
                GetClassNameW(child, className, 16);
                if (_wcsicmp(className, L"Button") == 0 && IsWindowVisible(child)) {
                    reinterpret_cast<std::vector<int>*>(param)->push_back(GetDlgCtrlID(child));
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&shown_.buttons));
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
        return;
    }
}
