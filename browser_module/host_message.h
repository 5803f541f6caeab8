#pragma once

#include <windows.h>

#include <string>

// Posts message to host. Nothing is posted when there is no host window.
void PostHostMessage(HWND host, UINT message, WPARAM wParam, LPARAM lParam);

// Posts message to host with text as a payload: a std::string made with new
// whose address travels in wParam; the receiver deletes it. When the message
// cannot be posted (no host, or the window is gone) the payload is deleted here.
void PostHostText(HWND host, UINT message, std::string text, LPARAM lParam);
