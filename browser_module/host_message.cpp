#include "host_message.h"

void PostHostMessage(HWND host, UINT message, WPARAM wParam, LPARAM lParam) {
    if (host != nullptr) {
        PostMessageW(host, message, wParam, lParam);
    }
}

void PostHostText(HWND host, UINT message, std::string text, LPARAM lParam) {
    if (host == nullptr) {
        return;
    }
    auto* payload = new std::string(std::move(text));
    if (!PostMessageW(host, message, reinterpret_cast<WPARAM>(payload), lParam)) {
        delete payload;
    }
}
