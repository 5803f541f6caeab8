#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

// A visible top-level window that records the host messages it receives. The
// text payloads are copied and deleted on arrival, as the launcher does.
class TestHostWindow {
  public:
    struct Message {
        UINT id;
        WPARAM wParam;
        LPARAM lParam;
        std::string text;
    };

    TestHostWindow();
    ~TestHostWindow();
    TestHostWindow(const TestHostWindow&) = delete;
    TestHostWindow& operator=(const TestHostWindow&) = delete;

    HWND handle() const { return window; }
    const std::vector<Message>& received() const { return messages; }
    std::vector<Message> received(UINT id) const;

    // Runs the message loop until done() holds; false when it still does not
    // after a generous bound, which only a fault can reach.
    bool PumpUntil(const std::function<bool()>& done);
    // Waits for the count-th message id (1-based); nothing when it never comes.
    std::optional<Message> WaitFor(UINT id, size_t count = 1);
    // The browser's own window, the host's child, or null.
    HWND BrowserWindow() const;

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window = nullptr;
    std::vector<Message> messages;
};

// Pumps messages for this thread for the given time.
void PumpFor(DWORD milliseconds);

// Top-level windows of this process that are visible.
std::vector<HWND> VisibleProcessWindows();
