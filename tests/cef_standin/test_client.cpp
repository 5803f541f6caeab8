#include "test_client.h"

#include <chrono>

void TestClient::Add(Report report) {
    report.thread = GetCurrentThreadId();
    std::lock_guard<std::mutex> lock(mutex_);
    reports_.push_back(report);
}

std::vector<Report> TestClient::Reports(const std::string& kind) {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<Report> out;
    for (const auto& report : reports_) {
        if (report.kind == kind) out.push_back(report);
    }
    return out;
}

bool TestClient::WaitFor(const std::string& kind, const std::function<bool(const Report&)>& match,
                         double seconds) {
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(static_cast<int>(seconds * 1000));
    while (std::chrono::steady_clock::now() < deadline) {
        for (const auto& report : Reports(kind)) {
            if (match(report)) return true;
        }
        // Child windows of this thread's windows are made on the runtime's UI
        // thread, which waits for this thread to take its messages.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    return false;
}

void TestClient::Pump(double seconds) {
    WaitFor(
        "", [](const Report&) { return false; }, seconds);
}

CefRefPtr<CefBrowser> TestClient::WaitForBrowser(double seconds) {
    if (!WaitFor(
            "created", [](const Report&) { return true; }, seconds))
        return nullptr;
    std::lock_guard<std::mutex> lock(mutex_);
    return browsers_.front();
}

bool TestClient::OnProcessMessageReceived(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                          CefProcessId source_process,
                                          CefRefPtr<CefProcessMessage> message) {
    Report report{"message", browser->GetIdentifier(), message->GetName().ToString()};
    report.is_main = frame && frame->IsMain();
    report.status = source_process;
    report.args = message->GetArgumentList()->Copy();
    Add(report);
    return true;
}

bool TestClient::OnBeforePopup(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame>,
                               const CefString& target_url, const CefString&, WindowOpenDisposition,
                               bool, const CefPopupFeatures&, CefWindowInfo&, CefRefPtr<CefClient>&,
                               CefBrowserSettings&, CefRefPtr<CefDictionaryValue>&, bool*) {
    Add(Report{"popup", browser->GetIdentifier(), target_url.ToString()});
    return refuse_popups;
}

void TestClient::OnAfterCreated(CefRefPtr<CefBrowser> browser) {
    CefString error;
    CefRefPtr<CefValue> zero = CefValue::Create();
    zero->SetInt(0);
    preference_result = browser->GetHost()->GetRequestContext()->SetPreference(
        "webkit.webprefs.minimum_font_size", zero, error);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        browsers_.push_back(browser);
    }
    Report report{"created", browser->GetIdentifier()};
    report.flag = browser->IsPopup();
    Add(report);
}

bool TestClient::DoClose(CefRefPtr<CefBrowser> browser) {
    Add(Report{"do-close", browser->GetIdentifier()});
    return false;
}

void TestClient::OnBeforeClose(CefRefPtr<CefBrowser> browser) {
    Add(Report{"closed", browser->GetIdentifier()});
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto it = browsers_.begin(); it != browsers_.end(); ++it) {
        if ((*it)->IsSame(browser)) {
            browsers_.erase(it);
            break;
        }
    }
}

void TestClient::OnLoadEnd(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                           int httpStatusCode) {
    Report report{"load", browser->GetIdentifier(), frame->GetURL().ToString()};
    report.is_main = frame->IsMain();
    report.status = httpStatusCode;
    Add(report);
}

void TestClient::OnLoadError(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                             ErrorCode errorCode, const CefString&, const CefString& failedUrl) {
    Report report{"error", browser->GetIdentifier(), failedUrl.ToString()};
    report.is_main = frame->IsMain();
    report.status = errorCode;
    Add(report);
}

bool TestClient::OnBeforeBrowse(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                CefRefPtr<CefRequest> request, bool, bool is_redirect) {
    const std::string url = request->GetURL().ToString();
    Report report{"browse", browser->GetIdentifier(), url};
    report.is_main = frame->IsMain();
    report.flag = is_redirect;
    Add(report);
    return !block_fragment.empty() && url.find(block_fragment) != std::string::npos;
}

CefRefPtr<CefResourceRequestHandler> TestClient::GetResourceRequestHandler(
    CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, CefRefPtr<CefRequest>, bool, bool, const CefString&,
    bool&) {
    return this;
}

CefResourceRequestHandler::ReturnValue TestClient::OnBeforeResourceLoad(
    CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, CefRefPtr<CefRequest> request,
    CefRefPtr<CefCallback>) {
    Report report{"resource", browser->GetIdentifier(), request->GetURL().ToString()};
    report.is_main = frame && frame->IsMain();
    report.status = request->GetResourceType();
    Add(report);
    if (!extra_headers.empty()) {
        CefRequest::HeaderMap headers;
        request->GetHeaderMap(headers);
        headers.insert(extra_headers.begin(), extra_headers.end());
        request->SetHeaderMap(headers);
    }
    return RV_CONTINUE;
}
