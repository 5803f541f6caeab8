// Windows and helpers the browser host tests share: a plain owner window, a
// host that counts its live objects, and the message pump.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "windows/browser_dlg.h"

// Stands in for the login or game window: records every application message
// its host posts to it and releases the text payloads it takes over.
class TestOwner {
  public:
    struct Received {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        std::string payload;
        ULONGLONG time;
    };

    TestOwner();
    ~TestOwner();
    TestOwner(const TestOwner&) = delete;
    TestOwner& operator=(const TestOwner&) = delete;

    HWND hwnd() const { return hwnd_; }
    const std::vector<Received>& received() const { return received_; }
    size_t Count(UINT message) const;
    void Destroy();

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    std::vector<Received> received_;
};

// A browser host that counts its live objects and logs the order results it
// is given, under its tag, before running them in its page.
class CountedHost : public BrowserDlg {
  public:
    CountedHost(HWND owner, char tag);
    ~CountedHost() override;
    void SendOrderResult(const std::wstring& text) override;

    static int Live();
    // Tag of the receiving host and text of every order result so far.
    static const std::vector<std::pair<char, std::wstring>>& Results();

    // A deleted host's memory is filled with garbage and never reused, so a
    // call on a deleted host crashes the test instead of passing unnoticed.
    static void* operator new(std::size_t size);
    static void operator delete(void* block, std::size_t size);

  private:
    char tag_;
};

// Creates a host for owner as the login and game windows do, up to its page:
// constructed, created at the owner's rectangle and hidden.
CountedHost* CreateHost(const TestOwner& owner, char tag = '-');
// The same, then opens url (UTF-8) and sets an empty block list.
CountedHost* OpenHost(const TestOwner& owner, const std::string& url, char tag = '-');

// Runs this thread's messages until done() holds; false after timeoutMs.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
// Runs this thread's messages for ms milliseconds.
void PumpFor(DWORD ms);
