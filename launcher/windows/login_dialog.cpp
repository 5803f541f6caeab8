#include "windows/login_dialog.h"

#include <vector>

#include "services/statistics_tool.h"
#include "settings/launch_settings.h"
#include "skin/gif_anim.h"
#include "web_messages.h"
#include "windows/browser_dlg.h"
#include "windows/game_dialog.h"

namespace {

constexpr wchar_t kTitle[] = L"Halvane";
constexpr DWORD kLoginStyle = WS_VISIBLE | WS_OVERLAPPEDWINDOW;
// WS_MINIMIZEBOX | WS_MAXIMIZEBOX and the class-specific bit 0x0100.
constexpr DWORD kGameStyle = 0x00030100;
constexpr UINT kIconId = 156;
constexpr int kPanelLeft = 388;
constexpr int kPanelTop = 154;
constexpr int kPanelWidth = 730;
constexpr int kPanelHeight = 380;
constexpr UINT kCloseResult = 1;

}  // namespace

bool LoginDialog::Open() {
    // A window that failed to be created may already have been through its
    // final message, so the object is not deleted here.
    auto* login = new LoginDialog();
    if (!login->Create(nullptr, kTitle, kLoginStyle, 0, 0, 0, 0, 0)) return false;
    login->CenterWindow();
    return true;
}

const wchar_t* LoginDialog::GetWindowClassName() const { return L"MainWndClass"; }

std::wstring LoginDialog::GetSkinFile() const { return L"MainWnd.xml"; }

LRESULT LoginDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCLBUTTONDBLCLK:
            // The picture never maximises.
            return 0;
        case WM_WINDOWPOSCHANGING:
        case WM_WINDOWPOSCHANGED:
            PlaceBrowserHost();
            break;
        default:
            break;
    }
    return BaseWindow::HandleMessage(message, wParam, lParam);
}

void LoginDialog::InitWindow() {
    closeButton_ = FindControl(L"btnClose");
    minButton_ = FindControl(L"btnMin");
    if (auto* gif = dynamic_cast<skin::GifAnim*>(FindControl(L"btnGif_login"))) {
        gif->SetAutoPlay(true);
    }
    CenterWindow();
    SetIcon(kIconId);

    wchar_t directory[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, directory);
    const LoginAddress address = ComposeLoginUrl(directory);
    CreateBrowserHost(address.url, address.blockEntry);

    StatisticsTool* statistics = StatisticsTool::Instance();
    statistics->SendEvent(statistics->LaunchCount() != 0 ? L"clientRun" : L"clientFirstRun");
}

void LoginDialog::CreateBrowserHost(const std::string& url, const std::string& blockEntry) {
    browserHost_ = new BrowserDlg(GetHWND());
    RECT rect{};
    GetWindowRect(GetHWND(), &rect);
    browserHost_->Create(GetHWND(), L"", WS_VISIBLE | WS_OVERLAPPEDWINDOW, 0, rect.left, rect.top,
                         rect.right - rect.left, rect.bottom - rect.top);
    browserHost_->ShowWindow(SW_HIDE);
    browserHost_->OpenPage(url);
    std::vector<std::string> blockUrls{HLVN_PAYMENT_WEB_HOST, "client=1", kFlashHelpPage,
                                       kFlashUpdatePage};
    if (!blockEntry.empty()) blockUrls.push_back(blockEntry);
    browserHost_->SetBlockUrls(blockUrls);
}

void LoginDialog::PlaceBrowserHost() {
    RECT rect{};
    GetWindowRect(GetHWND(), &rect);
    if (!browserHost_) return;
    SetWindowPos(browserHost_->GetHWND(), nullptr, rect.left + kPanelLeft, rect.top + kPanelTop,
                 kPanelWidth, kPanelHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void LoginDialog::OnClick(skin::Control* sender) {
    if (!sender) return;
    if (sender == closeButton_) {
        CloseAndQuit();
    } else if (sender == minButton_) {
        SendWindowMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    }
}

LRESULT LoginDialog::OnSysCommand(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    if ((wParam & 0xFFF0) == SC_CLOSE) {
        CloseAndQuit();
        handled = true;
        return 0;
    }
    return BaseWindow::OnSysCommand(message, wParam, lParam, handled);
}

void LoginDialog::CloseAndQuit() {
    if (browserHost_) {
        browserHost_->CloseHost();
        browserHost_ = nullptr;
    }
    quitOnDestroy_ = true;
    CloseSoon();
}

LRESULT LoginDialog::OnDestroy(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    if (quitOnDestroy_) PostQuitMessage(0);
    return BaseWindow::OnDestroy(message, wParam, lParam, handled);
}

LRESULT LoginDialog::OnHostMessage(UINT message, WPARAM wParam, LPARAM, bool&) {
    if (message != WM_WEB_URL_BLOCKED) return 0;
    std::unique_ptr<std::string> url(reinterpret_cast<std::string*>(wParam));
    if (url) OpenGameWindow(*url);
    return 0;
}

void LoginDialog::OpenGameWindow(const std::string& url) {
    // Without a game window the login window stays, so the player can retry.
    auto* game = new GameDialog(url);
    if (!game->Create(nullptr, kTitle, kGameStyle, 0, 0, 0, 0, 0)) return;
    game->ShowWindow(SW_SHOWNORMAL);
    game->Maximize();
    if (browserHost_) {
        browserHost_->CloseHost();
        browserHost_ = nullptr;
    }
    Close(kCloseResult);
}
