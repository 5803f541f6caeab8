// Keyboard events of a browser window. Called on the UI thread.
#ifndef CEF_INCLUDE_CEF_KEYBOARD_HANDLER_H_
#define CEF_INCLUDE_CEF_KEYBOARD_HANDLER_H_

#include "include/cef_base.h"
#include "include/cef_browser.h"

class CefKeyboardHandler : public virtual CefBaseRefCounted {
  public:
    // Before the page sees |event|. Return true to consume it; set
    // |*is_keyboard_shortcut| to have OnKeyEvent called when the page does
    // not consume it.
    virtual bool OnPreKeyEvent(CefRefPtr<CefBrowser> browser, const CefKeyEvent& event,
                               CefEventHandle os_event, bool* is_keyboard_shortcut) {
        return false;
    }

    // After the page has seen |event|. Return true when handled.
    virtual bool OnKeyEvent(CefRefPtr<CefBrowser> browser, const CefKeyEvent& event,
                            CefEventHandle os_event) {
        return false;
    }
};

#endif  // CEF_INCLUDE_CEF_KEYBOARD_HANDLER_H_
