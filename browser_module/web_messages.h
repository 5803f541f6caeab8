#pragma once

#include <windows.h>

// Messages the browser module posts to a browser's host window. For
// WM_WEB_URL_BLOCKED, WM_WEB_POPUP and WM_WEB_ORDER_REQUEST, wParam carries a
// std::string* made with new; the window that finally handles the message
// deletes it. wParam zero carries no text.

// wParam: browser identifier; lParam: 0. Main frame finished loading.
constexpr UINT WM_WEB_LOAD_END = WM_USER + 100;
// wParam: refused URL (UTF-8); lParam: 0.
constexpr UINT WM_WEB_URL_BLOCKED = WM_USER + 101;
// wParam: requested target URL (UTF-8); lParam: browser identifier.
constexpr UINT WM_WEB_POPUP = WM_USER + 102;
// Posted by the launcher's browser host window after it has shown itself.
constexpr UINT WM_WEB_PAGE_SHOWN = WM_USER + 103;
// wParam: the page's order text (ANSI code page); lParam: 0.
constexpr UINT WM_WEB_ORDER_REQUEST = WM_USER + 104;
