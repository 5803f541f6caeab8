// Browser life span: popups, creation and closing. Called on the UI thread.
#ifndef CEF_INCLUDE_CEF_LIFE_SPAN_HANDLER_H_
#define CEF_INCLUDE_CEF_LIFE_SPAN_HANDLER_H_

#include "include/cef_base.h"
#include "include/cef_browser.h"
#include "include/cef_frame.h"
#include "include/cef_values.h"

class CefClient;

class CefLifeSpanHandler : public virtual CefBaseRefCounted {
  public:
    typedef cef_window_open_disposition_t WindowOpenDisposition;

    // A page of |browser| asks for a new window on |target_url| (a link
    // target or window.open). Return true to refuse it: no window and no page
    // are made. The window, client and settings may be changed otherwise.
    virtual bool OnBeforePopup(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                               const CefString& target_url, const CefString& target_frame_name,
                               WindowOpenDisposition target_disposition, bool user_gesture,
                               const CefPopupFeatures& popupFeatures, CefWindowInfo& windowInfo,
                               CefRefPtr<CefClient>& client, CefBrowserSettings& settings,
                               CefRefPtr<CefDictionaryValue>& extra_info,
                               bool* no_javascript_access) {
        return false;
    }

    // The browser exists and has its window.
    virtual void OnAfterCreated(CefRefPtr<CefBrowser> browser) {}

    // The browser is about to close. Return false to let the runtime destroy
    // the browser's window; true when the client closes it itself.
    virtual bool DoClose(CefRefPtr<CefBrowser> browser) { return false; }

    // Last call for |browser|; release every reference to it here.
    virtual void OnBeforeClose(CefRefPtr<CefBrowser> browser) {}
};

#endif  // CEF_INCLUDE_CEF_LIFE_SPAN_HANDLER_H_
