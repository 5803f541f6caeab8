#pragma once

#include <functional>
#include <map>
#include <string>

#include "include/cef_browser.h"
#include "include/cef_values.h"

// Handles a process message sent by a page's window.external function.
using MessageHandler =
    std::function<void(CefRefPtr<CefBrowser> browser, CefRefPtr<CefListValue> arguments)>;

// Process message name -> handler. Filled before the runtime starts any
// thread and only read afterwards. Renderer processes give window.external
// one function for each name.
extern std::map<std::wstring, MessageHandler> messageHandlers;
