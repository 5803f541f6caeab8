// Browser-level request handling: navigations and the choice of a
// per-request handler.
#ifndef CEF_INCLUDE_CEF_REQUEST_HANDLER_H_
#define CEF_INCLUDE_CEF_REQUEST_HANDLER_H_

#include "include/cef_base.h"
#include "include/cef_browser.h"
#include "include/cef_frame.h"
#include "include/cef_request.h"
#include "include/cef_resource_request_handler.h"

class CefRequestHandler : public virtual CefBaseRefCounted {
  public:
    // UI thread: a document request of |frame|, or a redirect of one
    // (|is_redirect|). Return true to cancel it; the frame stays on its page.
    virtual bool OnBeforeBrowse(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                CefRefPtr<CefRequest> request, bool user_gesture,
                                bool is_redirect) {
        return false;
    }

    // IO thread: the handler of |request|, or null for none.
    virtual CefRefPtr<CefResourceRequestHandler> GetResourceRequestHandler(
        CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, CefRefPtr<CefRequest> request,
        bool is_navigation, bool is_download, const CefString& request_initiator,
        bool& disable_default_handling) {
        return nullptr;
    }
};

#endif  // CEF_INCLUDE_CEF_REQUEST_HANDLER_H_
