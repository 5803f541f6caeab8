#pragma once

#include "skin/control.h"

#include <windows.h>

#include <memory>
#include <string>

namespace skin {

class SkinView;
class WindowShadow;

// Base of every skinned window: a frameless native window whose content is
// built from a layout file of the skin package when the window is created.
//
// Messages are routed in this order: the window-procedure step HandleMessage
// (a derived window may override it and pass messages on to this class's
// version), then the standard steps below, each entered with handled preset
// to true; a step that leaves it true ends the routing with its result. What
// no standard step handled, WM_TIMER and application messages included, goes
// to HandleCustomMessage with handled false, then to the toolkit's own
// processing (painting, buttons, animations), then to DefWindowProcW.
class WindowImplBase {
  public:
    WindowImplBase();
    virtual ~WindowImplBase();
    WindowImplBase(const WindowImplBase&) = delete;
    WindowImplBase& operator=(const WindowImplBase&) = delete;

    // Creates the native window; parent is the owner (or parent for WS_CHILD).
    // Null when the window cannot be created.
    HWND Create(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, int x, int y,
                int width, int height);
    HWND GetHWND() const { return hwnd_; }

    // First control of that "name" in document order, or null.
    Control* FindControl(const std::wstring& name) const;
    // SW_HIDE, SW_SHOWNORMAL (show and activate) or SW_SHOWNOACTIVATE.
    void ShowWindow(int command);
    // Posts WM_CLOSE with resultCode as wParam, only while the window exists.
    void Close(UINT resultCode);
    LRESULT SendWindowMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Big and small icons from an icon resource of the resource module.
    void SetIcon(UINT resourceId);
    // Centres on the owner window, or on the monitor's work area without one,
    // kept inside the work area of the monitor nearest to the owner (or window).
    void CenterWindow();

    // The message loop's pre-translation: offers msg to the toolkit window it is
    // addressed to and to that window's ancestors. True when one of them took it.
    static bool PreTranslate(const MSG& msg);

  protected:
    virtual const wchar_t* GetWindowClassName() const = 0;
    // Folder of the layout files and images inside the package.
    virtual std::wstring GetSkinFolder() const { return std::wstring(); }
    virtual std::wstring GetSkinFile() const = 0;
    // Identifier of the "ZIPRES" resource that holds the package.
    virtual UINT GetResourceID() const = 0;

    // Window-procedure step.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs once during creation, after the layout has been built.
    virtual void InitWindow() {}
    // "click" notification of a button.
    virtual void OnClick(Control* /*sender*/) {}
    // After the last message (WM_NCDESTROY) has been handled; the window is gone.
    virtual void OnFinalMessage(HWND /*hwnd*/) {}
    // Pre-translation of a message for this window or one of its descendants.
    virtual bool PreTranslateMessage(const MSG& /*msg*/) { return false; }

    // Standard steps.
    virtual LRESULT OnCreate(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnDestroy(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnSize(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnClose(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnNcActivate(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnNcCalcSize(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnNcPaint(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnNcHitTest(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnGetMinMaxInfo(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnSysCommand(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnKeyDown(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnMouseMove(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnLButtonDown(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnLButtonUp(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    // Everything the standard steps left; entered with handled false.
    virtual LRESULT HandleCustomMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool RegisterWindowClass() const;
    bool RouteStandardStep(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void BuildContent();
    void Detach();

    HWND hwnd_ = nullptr;
    std::unique_ptr<SkinView> view_;
    std::unique_ptr<WindowShadow> shadow_;
    int depth_ = 0;
    bool finalPending_ = false;
};

}  // namespace skin
