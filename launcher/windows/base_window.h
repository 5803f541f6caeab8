#pragma once

#include "skin/window_impl_base.h"

#include <windows.h>

#include <string>

// The Flash help and update pages, opened in the system browser when the page
// tries to go there.
extern const char kFlashHelpPage[];
extern const char kFlashUpdatePage[];

// Base of the login and game windows: answers the toolkit with the package
// resource, reacts to the browser module's host messages and deletes itself
// once its native window is gone. Create it with new and do not keep it.
class BaseWindow : public skin::WindowImplBase {
  public:
    BaseWindow() = default;

    // Hides the window now and posts its close request (result code 1) 200 ms later.
    void CloseSoon();
    // True once the embedded page has been shown (WM_WEB_PAGE_SHOWN).
    bool IsPageShown() const { return pageShown_; }

  protected:
    std::wstring GetSkinFolder() const override { return std::wstring(); }
    UINT GetResourceID() const override;
    void OnFinalMessage(HWND hwnd) override;
    LRESULT HandleCustomMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

    // Host messages and application messages; never changes handled.
    LRESULT HandleHostMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    // Page requests and other messages HandleHostMessage passes on. For
    // WM_WEB_URL_BLOCKED, wParam is a std::string* owned by this call.
    virtual LRESULT OnHostMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    // Every WM_TIMER of the window; wParam is the timer identifier.
    virtual LRESULT OnWindowTimer(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

  private:
    bool pageShown_ = false;
};
