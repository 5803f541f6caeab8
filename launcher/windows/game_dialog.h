// The game window: a resizable frameless window with a slim title bar of its
// own, the game page lying over the rest of it.
#pragma once

#include <string>

#include "windows/base_window.h"

class BrowserDlg;

class GameDialog : public BaseWindow {
  public:
    explicit GameDialog(std::string url);

    void Maximize();
    // Keeps the page under the title bar, over the rest of the window.
    void PlaceBrowserHost();
    void CreateBrowserHost(HWND owner, const std::string& url);
    // Asks the player; returns the button pressed (IDOK or IDCANCEL).
    int ConfirmClose();
    void CloseGame();

  protected:
    const wchar_t* GetWindowClassName() const override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void InitWindow() override;
    void OnClick(skin::Control* sender) override;
    std::wstring GetSkinFile() const override;
    LRESULT OnDestroy(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnSize(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnSysCommand(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

  private:
    void ShowRestoreButton(bool restore);
    void PlaceTitleButtons(int width);

    const std::string url_;
    skin::Control* closeButton_ = nullptr;
    skin::Control* minButton_ = nullptr;
    skin::Control* maxButton_ = nullptr;
    skin::Control* restoreButton_ = nullptr;
    BrowserDlg* browserHost_ = nullptr;
};
