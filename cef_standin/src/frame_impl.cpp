#include "frame_impl.h"

#include "browser_impl.h"
#include "json_text.h"
#include "runtime.h"

namespace cef_standin {

FrameImpl::FrameImpl(BrowserImpl* browser, int64_t id, std::string engine_id, bool is_main)
    : browser_(browser),
      browser_impl_(browser),
      id_(id),
      engine_id_(std::move(engine_id)),
      is_main_(is_main) {}

bool FrameImpl::IsValid() {
    std::lock_guard<std::mutex> lock(mutex_);
    return valid_;
}

void FrameImpl::LoadURL(const CefString& url) {
    if (!IsValid()) return;
    browser_impl_->Navigate(url.ToString(), engine_id_);
}

void FrameImpl::ExecuteJavaScript(const CefString& code, const CefString& script_url, int) {
    int context_id = 0;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!valid_) return;
        context_id = context_id_;
    }
    // The main frame's default context is the target's default; another
    // frame needs its context to be known.
    if (!is_main_ && context_id == 0) return;
    std::string source = code.ToString();
    if (!script_url.empty()) {
        source += "\n//# sourceURL=" + script_url.ToString();
    }
    std::string params = "{\"expression\":" + JsonQuote(source);
    if (!is_main_) params += ",\"contextId\":" + std::to_string(context_id);
    browser_impl_->session().SendAsync("Runtime.evaluate", params + "}");
}

CefString FrameImpl::GetName() {
    std::lock_guard<std::mutex> lock(mutex_);
    return name_;
}

CefRefPtr<CefFrame> FrameImpl::GetParent() {
    std::string parent = parent_engine_id();
    if (parent.empty()) return nullptr;
    return browser_impl_->FrameFor(parent);
}

CefString FrameImpl::GetURL() {
    std::lock_guard<std::mutex> lock(mutex_);
    return url_;
}

CefRefPtr<CefBrowser> FrameImpl::GetBrowser() {
    std::lock_guard<std::mutex> lock(mutex_);
    return browser_;
}

void FrameImpl::SendProcessMessage(CefProcessId target_process,
                                   CefRefPtr<CefProcessMessage> message) {
    Runtime* runtime = Runtime::Get();
    if (target_process != PID_RENDERER || !message || !runtime || !IsValid()) return;
    runtime->renderer().SendMessage(browser_impl_->GetIdentifier(), id_, message);
}

void FrameImpl::Update(const std::string& url, const std::string& name,
                       const std::string& parent_id) {
    std::lock_guard<std::mutex> lock(mutex_);
    url_ = url;
    name_ = name;
    if (!parent_id.empty()) parent_id_ = parent_id;
}

std::string FrameImpl::parent_engine_id() {
    std::lock_guard<std::mutex> lock(mutex_);
    return parent_id_;
}

void FrameImpl::SetExecutionContext(int context_id) {
    std::lock_guard<std::mutex> lock(mutex_);
    context_id_ = context_id;
}

void FrameImpl::Invalidate() {
    CefRefPtr<CefBrowser> browser;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        valid_ = false;
        browser.swap(browser_);
    }
}

}  // namespace cef_standin
