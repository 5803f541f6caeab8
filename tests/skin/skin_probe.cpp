// Runs one skinned window in a process of its own, for tests that need a
// separate process (failure exits, screenshots, real mouse input).
//   missing-layout  a window whose layout file is not in the package
//   no-package      a window in a program without the package (exit code 0 when empty)
//   show-game       the game layout at (0, 0), restored; ends on a click of btnClose
//   show-login      the login layout centred; ends on a click of btnClose
// The show modes print "ready <left> <top>" once shown and "click <name>" per click.
#include "skin/message_loop.h"
#include "test_window.h"
#include "windows/base_window.h"

#include <objbase.h>
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

class MissingLayoutWindow : public BaseWindow {
  protected:
    const wchar_t* GetWindowClassName() const override { return L"MainWndClass"; }
    std::wstring GetSkinFile() const override { return L"Missing.xml"; }
};

class ShownWindow : public TestWindow {
  public:
    using TestWindow::TestWindow;

  protected:
    void OnClick(skin::Control* sender) override {
        std::printf("click %ls\n", sender->GetName().c_str());
        std::fflush(stdout);
        if (sender->GetName() == L"btnClose") PostQuitMessage(0);
    }
};

int Show(const wchar_t* layout, bool centre) {
    ShownWindow window(layout);
    if (!window.CreateAt(0, 0)) return 4;
    if (centre) window.CenterWindow();
    window.ShowWindow(SW_SHOWNORMAL);
    RECT rect;
    GetWindowRect(window.GetHWND(), &rect);
    std::printf("ready %ld %ld\n", rect.left, rect.top);
    std::fflush(stdout);
    skin::RunMessageLoop();
    return 0;
}

int NoPackage() {
    auto* window = new TestWindow(L"MainWnd.xml");
    if (!window->CreateAt(0, 0)) return 1;
    int result = window->initialised ? 2 : window->FindControl(L"verLayout") ? 3 : 0;
    DestroyWindow(window->GetHWND());
    delete window;
    return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 5;
    CoInitialize(nullptr);
    int result = 5;
    if (std::wcscmp(argv[1], L"missing-layout") == 0) {
        (new MissingLayoutWindow)->Create(nullptr, L"Halvane", WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, 0);
        result = 0;
    } else if (std::wcscmp(argv[1], L"no-package") == 0) {
        result = NoPackage();
    } else if (std::wcscmp(argv[1], L"show-game") == 0) {
        result = Show(L"GameWnd.xml", false);
    } else if (std::wcscmp(argv[1], L"show-login") == 0) {
        result = Show(L"MainWnd.xml", true);
    }
    CoUninitialize();
    return result;
}
