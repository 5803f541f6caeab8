#pragma once

#include "skin/window_impl_base.h"

#include <windows.h>

#include <string>
#include <vector>

inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline std::string Describe(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

// A toolkit window built from a layout of the real skin package, recording
// what the toolkit tells it.
class TestWindow : public skin::WindowImplBase {
  public:
    explicit TestWindow(std::wstring layout) : layout_(std::move(layout)) {}

    // Creates it unowned at (x, y) with the launcher's main-window style.
    HWND CreateAt(int x, int y, HWND owner = nullptr) {
        return Create(owner, L"skin test", WS_VISIBLE | WS_OVERLAPPEDWINDOW, 0, x, y, 0, 0);
    }

    bool initialised = false;
    std::vector<skin::Control*> clicks;
    std::vector<MSG> preTranslated;
    UINT swallowInPreTranslate = 0;

  protected:
    const wchar_t* GetWindowClassName() const override { return L"MainWndClass"; }
    std::wstring GetSkinFile() const override { return layout_; }
    UINT GetResourceID() const override { return 129; }
    void InitWindow() override { initialised = true; }
    void OnClick(skin::Control* sender) override { clicks.push_back(sender); }
    bool PreTranslateMessage(const MSG& msg) override {
        preTranslated.push_back(msg);
        return msg.message == swallowInPreTranslate;
    }

  private:
    std::wstring layout_;
};

// Handles the thread's pending messages, for up to timeoutMs, until done() holds.
template <typename Done>
bool PumpUntil(Done done, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

inline void Pump(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}
