// Watches for a message box of this process, reads it and closes it with OK,
// so that code showing a modal box can be tested without a user.
#pragma once

#include <atomic>
#include <string>
#include <thread>
#include <vector>

struct ShownMessageBox {
    bool found = false;
    std::wstring caption;
    std::wstring text;
    // Identifiers of the visible buttons.
    std::vector<int> buttons;
};

class MessageBoxCloser {
  public:
    MessageBoxCloser();
    ~MessageBoxCloser();
    MessageBoxCloser(const MessageBoxCloser&) = delete;
    MessageBoxCloser& operator=(const MessageBoxCloser&) = delete;

    // Stops watching and tells what the first box showed, if one was seen.
    ShownMessageBox Finish();

  private:
    void Watch();

    std::atomic<bool> stop_{false};
    ShownMessageBox shown_;
    std::thread watcher_;
};
