// Per-request handling. Called on the IO thread.
#ifndef CEF_INCLUDE_CEF_RESOURCE_REQUEST_HANDLER_H_
#define CEF_INCLUDE_CEF_RESOURCE_REQUEST_HANDLER_H_

#include "include/cef_base.h"
#include "include/cef_browser.h"
#include "include/cef_callback.h"
#include "include/cef_frame.h"
#include "include/cef_request.h"

class CefResourceRequestHandler : public virtual CefBaseRefCounted {
  public:
    typedef cef_return_value_t ReturnValue;

    // Before |request| is sent; its URL, method and headers may be changed.
    // Return RV_CONTINUE to send it, RV_CANCEL to cancel it, or
    // RV_CONTINUE_ASYNC and later call |callback|.
    virtual ReturnValue OnBeforeResourceLoad(CefRefPtr<CefBrowser> browser,
                                             CefRefPtr<CefFrame> frame,
                                             CefRefPtr<CefRequest> request,
                                             CefRefPtr<CefCallback> callback) {
        return RV_CONTINUE;
    }
};

#endif  // CEF_INCLUDE_CEF_RESOURCE_REQUEST_HANDLER_H_
