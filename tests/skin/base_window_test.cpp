#include "freed_tracker.h"
#include "test_window.h"
#include "web_messages.h"
#include "windows/base_window.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <windows.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

class ComEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { CoInitialize(nullptr); }
    void TearDown() override { CoUninitialize(); }
};
const auto* const kCom = ::testing::AddGlobalTestEnvironment(new ComEnvironment);

// What a window told its test, kept outside the window object, which deletes itself.
struct Record {
    struct Call {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        std::string text;
    };
    std::vector<Call> hostCalls;
    std::vector<WPARAM> timers;
    std::vector<WPARAM> closeCodes;
    DWORD closeTick = 0;
    bool deleted = false;
};

class HostWindow : public BaseWindow {
  public:
    explicit HostWindow(Record* record) : record_(record) {}
    ~HostWindow() override { record_->deleted = true; }

    HWND CreateHidden() {
        return Create(nullptr, L"Halvane test", WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, 0);
    }
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
        return HandleHostMessage(message, wParam, lParam, handled);
    }

  protected:
    const wchar_t* GetWindowClassName() const override { return L"MainWndClass"; }
    std::wstring GetSkinFile() const override { return L"BrowserWnd.xml"; }

    LRESULT OnHostMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override {
        // Window messages pass here too; the tests follow application messages.
        if (message > WM_USER) {
            std::string text;
            if (message == WM_WEB_URL_BLOCKED && wParam) {
                text = *reinterpret_cast<std::string*>(wParam);
            }
            record_->hostCalls.push_back({message, wParam, lParam, text});
        }
        BaseWindow::OnHostMessage(message, wParam, lParam, handled);
        return 77;
    }
    LRESULT OnWindowTimer(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override {
        record_->timers.push_back(wParam);
        return BaseWindow::OnWindowTimer(message, wParam, lParam, handled);
    }
    LRESULT OnClose(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override {
        record_->closeCodes.push_back(wParam);
        record_->closeTick = GetTickCount();
        return BaseWindow::OnClose(message, wParam, lParam, handled);
    }

  private:
    Record* record_;
};

std::wstring WindowsPath(const char* linuxPath) {
    std::wstring path = L"Z:";
    for (const char* p = linuxPath; *p; ++p) path += *p == '/' ? L'\\' : static_cast<wchar_t>(*p);
    return path;
}

// Points Wine's system-browser hook at the recording script for the test's
// duration and reads what it recorded.
class BrowserHook {
  public:
    BrowserHook() {
        DeleteFileW(WindowsPath(HLVN_TEST_BROWSER_LOG).c_str());
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\WineBrowser", 0, nullptr, 0,
                        KEY_READ | KEY_WRITE, nullptr, &key_, nullptr);
        wchar_t previous[1024];
        DWORD size = sizeof(previous);
        hadPrevious_ = RegQueryValueExW(key_, L"Browsers", nullptr, nullptr,
                                        reinterpret_cast<BYTE*>(previous), &size) == ERROR_SUCCESS;
        if (hadPrevious_) previous_.assign(previous, size / sizeof(wchar_t));
        std::wstring script;
        for (const char* p = HLVN_TEST_BROWSER_SCRIPT; *p; ++p) script += static_cast<wchar_t>(*p);
        RegSetValueExW(key_, L"Browsers", 0, REG_SZ, reinterpret_cast<const BYTE*>(script.c_str()),
                       static_cast<DWORD>((script.size() + 1) * sizeof(wchar_t)));
    }
    ~BrowserHook() {
        if (hadPrevious_) {
            RegSetValueExW(key_, L"Browsers", 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(previous_.c_str()),
                           static_cast<DWORD>(previous_.size() * sizeof(wchar_t)));
        } else {
            RegDeleteValueW(key_, L"Browsers");
        }
        RegCloseKey(key_);
    }
    std::vector<std::string> Openings() const {
        std::ifstream log(std::string("Z:") + HLVN_TEST_BROWSER_LOG);
        std::vector<std::string> lines;
        for (std::string line; std::getline(log, line);) lines.push_back(line);
        return lines;
    }
    // Waits for the count-th opening; the system browser starts asynchronously.
    bool WaitForOpenings(size_t count) const {
        return PumpUntil([&] { return Openings().size() >= count; }, 30000);
    }

  private:
    HKEY key_ = nullptr;
    bool hadPrevious_ = false;
    std::wstring previous_;
};

WPARAM Payload(const std::string& text) { return reinterpret_cast<WPARAM>(new std::string(text)); }

class HostMessages : public ::testing::Test {
  protected:
    void SetUp() override {
        window_ = new HostWindow(&record_);
        ASSERT_NE(window_->CreateHidden(), nullptr);
    }
    void TearDown() override {
        if (!record_.deleted) DestroyWindow(window_->GetHWND());
        EXPECT_TRUE(record_.deleted) << "the window deletes itself after its final message";
    }
    // Hands a payload message to the window and checks that the payload was released.
    LRESULT SendText(UINT message, const std::string& text, LPARAM lParam = 0) {
        ForgetFreed();
        WPARAM payload = Payload(text);
        bool handled = false;
        LRESULT result = window_->Handle(message, payload, lParam, handled);
        EXPECT_FALSE(handled) << "the handled flag is left alone";
        EXPECT_TRUE(WasFreed(reinterpret_cast<void*>(payload))) << "payload released: " << text;
        return result;
    }
    void ShowPage() {
        bool handled = false;
        EXPECT_EQ(window_->Handle(WM_WEB_PAGE_SHOWN, 1001, 0, handled), 0);
        EXPECT_FALSE(handled);
    }

    Record record_;
    HostWindow* window_ = nullptr;
};

TEST_F(HostMessages, SystemBrowserForFlashPagesAndNewWindowsOnly) {
    BrowserHook hook;
    const std::string help = kFlashHelpPage;
    const std::string update = kFlashUpdatePage;
    ASSERT_EQ(help, "https://" HLVN_FLASH_HOST "/help/service2.html");
    ASSERT_EQ(update, "https://" HLVN_FLASH_HOST "/flashupdate");
    std::vector<std::string> expected;

    struct Step {
        UINT message;
        std::string url;
        bool pageShownBefore;
        bool opens;
    } steps[] = {
        {WM_WEB_URL_BLOCKED, help, false, true},
        {WM_WEB_URL_BLOCKED, help + "/", false, false},
        {WM_WEB_POPUP, "https://127.0.0.1/popup-before", false, true},
        {WM_WEB_POPUP, "file:///C:/windows/system32/notepad.exe", false, false},
        {WM_WEB_URL_BLOCKED, update, true, true},
        {WM_WEB_URL_BLOCKED, update + "?v=1", true, false},
        {WM_WEB_POPUP, "http://127.0.0.1/popup-after", true, true},
        {WM_WEB_POPUP, "notepad.exe", true, false},
    };
    for (const Step& step : steps) {
        if (step.pageShownBefore) ShowPage();
        size_t callsBefore = record_.hostCalls.size();
        bool pageRequest =
            step.message == WM_WEB_URL_BLOCKED && step.pageShownBefore && !step.opens;
        EXPECT_EQ(SendText(step.message, step.url, 3), pageRequest ? 77 : 0) << step.url;
        if (step.opens) {
            expected.push_back(step.url);
            EXPECT_TRUE(hook.WaitForOpenings(expected.size())) << step.url;
        }
        if (step.message == WM_WEB_POPUP || step.opens) {
            EXPECT_EQ(record_.hostCalls.size(), callsBefore) << "not a page request: " << step.url;
        }
    }
    // Whatever should not have opened has had the time of the later openings to show up.
    EXPECT_EQ(hook.Openings(), expected);
}

TEST_F(HostMessages, BlockedAddressesReachTheHookOnlyAfterThePageWasShown) {
    const std::string help = kFlashHelpPage;
    const std::vector<std::string> addresses = {
        "https://game.example/enter?client=1",
        help + "/",
        help + "?from=page",
        "HTTPS://" HLVN_FLASH_HOST "/help/service2.html",
        "https://" HLVN_FLASH_HOST "/FlashUpdate",
    };
    for (const std::string& url : addresses) SendText(WM_WEB_URL_BLOCKED, url);
    EXPECT_TRUE(record_.hostCalls.empty()) << "dropped before the page was shown";

    ShowPage();
    ShowPage();
    EXPECT_TRUE(window_->IsPageShown());
    for (const std::string& url : addresses) {
        ForgetFreed();
        WPARAM payload = Payload(url);
        bool handled = false;
        EXPECT_EQ(window_->Handle(WM_WEB_URL_BLOCKED, payload, 9, handled), 77)
            << "the hook's result";
        ASSERT_FALSE(record_.hostCalls.empty());
        const Record::Call& call = record_.hostCalls.back();
        EXPECT_EQ(call.message, WM_WEB_URL_BLOCKED);
        EXPECT_EQ(call.text, url);
        EXPECT_EQ(call.lParam, 9);
        EXPECT_TRUE(WasFreed(reinterpret_cast<void*>(payload)));
        EXPECT_TRUE(WasFreed(reinterpret_cast<void*>(call.wParam))) << "the hook's copy released";
    }
    EXPECT_EQ(record_.hostCalls.size(), addresses.size());

    bool handled = false;
    record_.hostCalls.clear();
    EXPECT_EQ(window_->Handle(WM_WEB_URL_BLOCKED, 0, 0, handled), 0);
    EXPECT_EQ(window_->Handle(WM_WEB_POPUP, 0, 0, handled), 0);
    EXPECT_TRUE(record_.hostCalls.empty()) << "a message without text carries nothing to hand on";
}

TEST_F(HostMessages, OtherMessagesGoToTheHookUnchangedAndTimersToTheTimerStep) {
    struct Case {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } cases[] = {{WM_WEB_LOAD_END, 4, 0}, {WM_WEB_ORDER_REQUEST, 0, 0}, {WM_USER + 300, 5, 6}};
    for (const Case& c : cases) {
        bool handled = false;
        EXPECT_EQ(window_->Handle(c.message, c.wParam, c.lParam, handled), 77);
        EXPECT_FALSE(handled);
        ASSERT_FALSE(record_.hostCalls.empty());
        EXPECT_EQ(record_.hostCalls.back().message, c.message);
        EXPECT_EQ(record_.hostCalls.back().wParam, c.wParam);
        EXPECT_EQ(record_.hostCalls.back().lParam, c.lParam);
    }
    size_t calls = record_.hostCalls.size();

    // Routed through the window: a timer other than 100 has no effect.
    SendMessageW(window_->GetHWND(), WM_TIMER, 42, 0);
    ASSERT_EQ(record_.timers.size(), 1u);
    EXPECT_EQ(record_.timers[0], 42u);
    EXPECT_EQ(record_.hostCalls.size(), calls) << "timers do not reach the hook";
    Pump(100);
    EXPECT_TRUE(record_.closeCodes.empty());
    EXPECT_TRUE(IsWindow(window_->GetHWND()));

    // Timer 100 posts the close request with result code 1.
    SendMessageW(window_->GetHWND(), WM_TIMER, 100, 0);
    EXPECT_TRUE(PumpUntil([&] { return record_.deleted; }, 5000));
    EXPECT_EQ(record_.closeCodes, std::vector<WPARAM>{1});
}

TEST_F(HostMessages, CloseSoonHidesAtOnceAndClosesAfter200Ms) {
    HWND hwnd = window_->GetHWND();
    window_->ShowWindow(SW_SHOWNORMAL);
    ASSERT_TRUE(IsWindowVisible(hwnd));
    DWORD start = GetTickCount();
    window_->CloseSoon();
    EXPECT_FALSE(IsWindowVisible(hwnd));
    EXPECT_TRUE(IsWindow(hwnd));
    ASSERT_TRUE(PumpUntil([&] { return record_.deleted; }, 5000));
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(record_.closeCodes, std::vector<WPARAM>{1});
    EXPECT_GE(record_.closeTick - start, 190u) << "the close request waits for timer 100";
    EXPECT_EQ(record_.timers, std::vector<WPARAM>{100});
}

// Runs a probe program of this test beside it and returns its exit code; while
// it runs, watch(process) is called until it returns true.
template <typename Watch>
DWORD RunProbe(const wchar_t* program, const wchar_t* arguments, Watch watch) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self);
    folder.erase(folder.find_last_of(L'\\') + 1);
    std::wstring commandLine = L"\"" + folder + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return 0xDEAD;
    }
    watch(process.hProcess);
    DWORD code = 0xDEAD;
    if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &code);
    } else {
        TerminateProcess(process.hProcess, 0xDEAD);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

TEST(SkinFailures, MissingLayoutShowsTheBoxAndEndsWithCode1) {
    std::wstring text;
    bool hasIcon = false;
    DWORD code = RunProbe(L"skin_probe.exe", L"missing-layout", [&](HANDLE process) {
        HWND box = nullptr;
        PumpUntil(
            [&] {
                box = FindWindowW(L"#32770", L"Missing.xml");
                return box || WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
            },
            30000);
        if (!box) return;
        wchar_t buffer[256] = {};
        GetDlgItemTextW(box, 0xFFFF, buffer, 256);
        text = buffer;
        hasIcon = GetDlgItem(box, 0x0440) != nullptr;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(text, L"\u52a0\u8f7d\u8d44\u6e90\u5931\u8d25\uff01");
    EXPECT_TRUE(hasIcon) << "error icon";
    EXPECT_EQ(code, 1u);
}

TEST(SkinFailures, WithoutPackageTheWindowIsEmptyAndNotInitialised) {
    DWORD code = RunProbe(L"skin_probe_bare.exe", L"no-package", [](HANDLE) {});
    EXPECT_EQ(code, 0u) << "1: no window, 2: initialised, 3: has controls";
}

}  // namespace
