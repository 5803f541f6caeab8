// A browser (one page view) and its host-side controls.
#ifndef CEF_INCLUDE_CEF_BROWSER_H_
#define CEF_INCLUDE_CEF_BROWSER_H_

#include "include/cef_base.h"
#include "include/cef_frame.h"
#include "include/cef_request_context.h"
#include "include/cef_values.h"

class CefBrowserHost;
class CefClient;

class CefBrowser : public virtual CefBaseRefCounted {
  public:
    virtual bool IsValid() = 0;
    // Browser process only.
    virtual CefRefPtr<CefBrowserHost> GetHost() = 0;
    // Unique among the browsers of this process's runtime.
    virtual int GetIdentifier() = 0;
    virtual bool IsSame(CefRefPtr<CefBrowser> that) = 0;
    virtual bool IsPopup() = 0;
    virtual CefRefPtr<CefFrame> GetMainFrame() = 0;
};

class CefBrowserHost : public virtual CefBaseRefCounted {
  public:
    // Creates a browser in the window |windowInfo| describes, loading |url|.
    // Creation completes later on the UI thread (CefLifeSpanHandler::
    // OnAfterCreated); returns false when the request is refused at once.
    CEF_EXPORT static bool CreateBrowser(const CefWindowInfo& windowInfo,
                                         CefRefPtr<CefClient> client, const CefString& url,
                                         const CefBrowserSettings& settings,
                                         CefRefPtr<CefDictionaryValue> extra_info,
                                         CefRefPtr<CefRequestContext> request_context);

    virtual CefRefPtr<CefBrowser> GetBrowser() = 0;
    // Asks the page to close (its unload handlers run) unless |force_close|;
    // the life-span handler's DoClose and OnBeforeClose follow.
    virtual void CloseBrowser(bool force_close) = 0;
    // The browser's own window.
    virtual CefWindowHandle GetWindowHandle() = 0;
    virtual CefRefPtr<CefClient> GetClient() = 0;
    virtual CefRefPtr<CefRequestContext> GetRequestContext() = 0;
    // Opens the developer tools of this browser in the window |windowInfo|
    // describes; the developer-tools window is a browser of |client|.
    virtual void ShowDevTools(const CefWindowInfo& windowInfo, CefRefPtr<CefClient> client,
                              const CefBrowserSettings& settings,
                              const CefPoint& inspect_element_at) = 0;
    virtual void CloseDevTools() = 0;
    virtual bool HasDevTools() = 0;
};

#endif  // CEF_INCLUDE_CEF_BROWSER_H_
