// The window of a browser, made on the UI thread.
#ifndef CEF_STANDIN_SRC_BROWSER_WINDOW_H_
#define CEF_STANDIN_SRC_BROWSER_WINDOW_H_

#include <windows.h>

#include "include/internal/cef_win.h"

namespace cef_standin {

class BrowserImpl;

// A window as |info| describes it (child or top-level) whose messages go to
// |browser|; null on failure.
HWND CreateBrowserWindow(const CefWindowInfo& info, BrowserImpl* browser);
// Stops the window from reporting to its browser.
void DetachBrowserWindow(HWND window);

}  // namespace cef_standin

#endif  // CEF_STANDIN_SRC_BROWSER_WINDOW_H_
