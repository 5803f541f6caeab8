// A client that records what the runtime reports, with the thread it was
// reported on, and applies a configurable block fragment, popup answer and
// header additions.
#ifndef TESTS_CEF_STANDIN_TEST_CLIENT_H_
#define TESTS_CEF_STANDIN_TEST_CLIENT_H_

#include <windows.h>

#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "include/cef_client.h"

struct Report {
    Report() = default;
    Report(std::string kind_name, int browser_id, std::string address = std::string())
        : kind(std::move(kind_name)), browser(browser_id), url(std::move(address)) {}

    std::string kind;  // "browse", "resource", "popup", "load", "error", "message", ...
    int browser = 0;
    std::string url;
    bool is_main = false;
    bool flag = false;  // is_redirect for "browse", IsPopup for "created"
    int status = 0;     // HTTP status, resource type or error code
    DWORD thread = 0;
    CefRefPtr<CefListValue> args;
};

class TestClient : public CefClient,
                   public CefLifeSpanHandler,
                   public CefLoadHandler,
                   public CefRequestHandler,
                   public CefResourceRequestHandler {
  public:
    // Configuration; set before the browser is made.
    std::string block_fragment;
    bool refuse_popups = true;
    CefRequest::HeaderMap extra_headers;

    CefRefPtr<CefLifeSpanHandler> GetLifeSpanHandler() override { return this; }
    CefRefPtr<CefLoadHandler> GetLoadHandler() override { return this; }
    CefRefPtr<CefRequestHandler> GetRequestHandler() override { return this; }

    bool OnProcessMessageReceived(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                  CefProcessId source_process,
                                  CefRefPtr<CefProcessMessage> message) override;
    bool OnBeforePopup(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                       const CefString& target_url, const CefString& target_frame_name,
                       WindowOpenDisposition target_disposition, bool user_gesture,
                       const CefPopupFeatures& popupFeatures, CefWindowInfo& windowInfo,
                       CefRefPtr<CefClient>& client, CefBrowserSettings& settings,
                       CefRefPtr<CefDictionaryValue>& extra_info,
                       bool* no_javascript_access) override;
    void OnAfterCreated(CefRefPtr<CefBrowser> browser) override;
    bool DoClose(CefRefPtr<CefBrowser> browser) override;
    void OnBeforeClose(CefRefPtr<CefBrowser> browser) override;
    void OnLoadEnd(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                   int httpStatusCode) override;
    void OnLoadError(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, ErrorCode errorCode,
                     const CefString& errorText, const CefString& failedUrl) override;
    bool OnBeforeBrowse(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                        CefRefPtr<CefRequest> request, bool user_gesture,
                        bool is_redirect) override;
    CefRefPtr<CefResourceRequestHandler> GetResourceRequestHandler(
        CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, CefRefPtr<CefRequest> request,
        bool is_navigation, bool is_download, const CefString& request_initiator,
        bool& disable_default_handling) override;
    ReturnValue OnBeforeResourceLoad(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                     CefRefPtr<CefRequest> request,
                                     CefRefPtr<CefCallback> callback) override;

    std::vector<Report> Reports(const std::string& kind);
    // Waits up to |seconds| for a report of |kind| that |match| accepts.
    bool WaitFor(const std::string& kind, const std::function<bool(const Report&)>& match,
                 double seconds = 20);
    // Takes this thread's window messages for |seconds|.
    void Pump(double seconds);
    // The first browser created for this client (waits for it).
    CefRefPtr<CefBrowser> WaitForBrowser(double seconds = 20);
    // The result of SetPreference for the minimum font size in OnAfterCreated.
    bool preference_result = false;

  private:
    void Add(Report report);

    std::mutex mutex_;
    std::vector<Report> reports_;
    std::vector<CefRefPtr<CefBrowser>> browsers_;
    IMPLEMENT_REFCOUNTING(TestClient);
};

#endif  // TESTS_CEF_STANDIN_TEST_CLIENT_H_
