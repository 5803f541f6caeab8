// The first window: the login picture with the login page shown as a panel
// over it; turns the page's request for the game into the game window.
#pragma once

#include <string>

#include "windows/base_window.h"

class BrowserDlg;

class LoginDialog : public BaseWindow {
  public:
    LoginDialog() = default;

    // Creates the login window as the launcher's first window, centred on its
    // monitor's work area. The window owns itself from then on. False when
    // the native window could not be created.
    static bool Open();

    void CreateBrowserHost(const std::string& url, const std::string& blockEntry);
    // Keeps the page panel at its place over the picture.
    void PlaceBrowserHost();
    // Closes the window and, once it is destroyed, ends the message loop.
    void CloseAndQuit();
    // Replaces this window by the game window showing url.
    void OpenGameWindow(const std::string& url);

  protected:
    const wchar_t* GetWindowClassName() const override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void InitWindow() override;
    void OnClick(skin::Control* sender) override;
    std::wstring GetSkinFile() const override;
    LRESULT OnDestroy(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnSysCommand(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnHostMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

  private:
    skin::Control* closeButton_ = nullptr;
    skin::Control* minButton_ = nullptr;
    bool quitOnDestroy_ = false;
    BrowserDlg* browserHost_ = nullptr;
};
