#include "windows/game_dialog.h"

#include <utility>
#include <vector>

#include "services/statistics_tool.h"
#include "windows/browser_dlg.h"

namespace {

constexpr wchar_t kTitle[] = L"Halvane";
constexpr UINT kIconId = 156;
constexpr int kTitleBarHeight = 23;
constexpr int kButtonWidth = 26;

}  // namespace

GameDialog::GameDialog(std::string url) : url_(std::move(url)) {}

const wchar_t* GameDialog::GetWindowClassName() const { return L"MainWndClass"; }

std::wstring GameDialog::GetSkinFile() const { return L"GameWnd.xml"; }

void GameDialog::Maximize() {
    SendWindowMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    ShowRestoreButton(true);
}

void GameDialog::ShowRestoreButton(bool restore) {
    if (restoreButton_) restoreButton_->SetVisible(restore);
    if (maxButton_) maxButton_->SetVisible(!restore);
}

void GameDialog::InitWindow() {
    closeButton_ = FindControl(L"btnClose");
    minButton_ = FindControl(L"btnMin");
    maxButton_ = FindControl(L"btnMax");
    restoreButton_ = FindControl(L"btnRestore");
    // The window is about to be maximised.
    if (maxButton_) maxButton_->SetVisible(false);
    SetIcon(kIconId);
    CreateBrowserHost(GetHWND(), url_);
    StatisticsTool* statistics = StatisticsTool::Instance();
    if (statistics->LaunchCount() == 0) statistics->SendEvent(L"clientGameFirstRun");
}

void GameDialog::CreateBrowserHost(HWND owner, const std::string& url) {
    browserHost_ = new BrowserDlg(owner);
    RECT rect{};
    GetWindowRect(owner, &rect);
    browserHost_->Create(owner, L"", WS_VISIBLE | WS_OVERLAPPEDWINDOW, 0, rect.left, rect.top,
                         rect.right - rect.left, rect.bottom - rect.top);
    browserHost_->ShowWindow(SW_HIDE);
    browserHost_->OpenPage(url);
    browserHost_->SetBlockUrls({kFlashHelpPage, kFlashUpdatePage});
}

void GameDialog::PlaceBrowserHost() {
    if (!browserHost_) return;
    RECT rect{};
    GetWindowRect(GetHWND(), &rect);
    SetWindowPos(browserHost_->GetHWND(), nullptr, rect.left, rect.top + kTitleBarHeight,
                 rect.right - rect.left, rect.bottom - rect.top - kTitleBarHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void GameDialog::PlaceTitleButtons(int width) {
    const auto at = [width](int fromRight) {
        return RECT{width - fromRight - kButtonWidth, 0, width - fromRight, kTitleBarHeight};
    };
    closeButton_->SetPos(at(0));
    if (restoreButton_) restoreButton_->SetPos(at(kButtonWidth));
    if (maxButton_) maxButton_->SetPos(at(kButtonWidth));
    if (minButton_) minButton_->SetPos(at(2 * kButtonWidth));
    ShowRestoreButton(IsZoomed(GetHWND()) != FALSE);
}

LRESULT GameDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCLBUTTONDBLCLK: {
            const bool zoomed = IsZoomed(GetHWND()) != FALSE;
            SendWindowMessage(WM_SYSCOMMAND, zoomed ? SC_RESTORE : SC_MAXIMIZE, 0);
            ShowRestoreButton(!zoomed);
            return 0;
        }
        case WM_WINDOWPOSCHANGING:
        case WM_WINDOWPOSCHANGED: {
            RECT rect{};
            GetWindowRect(GetHWND(), &rect);
            PlaceBrowserHost();
            if (closeButton_) PlaceTitleButtons(rect.right - rect.left);
            break;
        }
        default:
            break;
    }
    return BaseWindow::HandleMessage(message, wParam, lParam);
}

LRESULT GameDialog::OnSize(UINT, WPARAM, LPARAM, bool&) {
    PlaceBrowserHost();
    return 0;
}

void GameDialog::OnClick(skin::Control* sender) {
    if (!sender) return;
    if (sender == closeButton_) {
        if (ConfirmClose() == IDOK) CloseGame();
    } else if (sender == minButton_) {
        SendWindowMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else if (sender == maxButton_) {
        ShowRestoreButton(true);
        SendWindowMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    } else if (sender == restoreButton_) {
        ShowRestoreButton(false);
        SendWindowMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
    }
}

int GameDialog::ConfirmClose() {
    return MessageBoxW(GetHWND(), L"是否要关闭游戏？", kTitle, MB_SYSTEMMODAL | MB_OKCANCEL);
}

void GameDialog::CloseGame() {
    if (browserHost_) {
        browserHost_->CloseHost();
        browserHost_ = nullptr;
    }
    CloseSoon();
}

LRESULT GameDialog::OnSysCommand(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    if ((wParam & 0xFFF0) == SC_CLOSE) {
        CloseGame();
        handled = true;
        return 0;
    }
    return BaseWindow::OnSysCommand(message, wParam, lParam, handled);
}

LRESULT GameDialog::OnDestroy(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    PostQuitMessage(0);
    return BaseWindow::OnDestroy(message, wParam, lParam, handled);
}
