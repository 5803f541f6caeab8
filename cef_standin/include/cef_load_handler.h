// Page load notifications. Called on the UI thread.
#ifndef CEF_INCLUDE_CEF_LOAD_HANDLER_H_
#define CEF_INCLUDE_CEF_LOAD_HANDLER_H_

#include "include/cef_base.h"
#include "include/cef_browser.h"
#include "include/cef_frame.h"

class CefLoadHandler : public virtual CefBaseRefCounted {
  public:
    typedef cef_errorcode_t ErrorCode;

    // The document of |frame| has loaded (its load event fired);
    // |httpStatusCode| is the document response's status.
    virtual void OnLoadEnd(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                           int httpStatusCode) {}

    // A navigation of |frame| failed or was cancelled.
    virtual void OnLoadError(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                             ErrorCode errorCode, const CefString& errorText,
                             const CefString& failedUrl) {}
};

#endif  // CEF_INCLUDE_CEF_LOAD_HANDLER_H_
