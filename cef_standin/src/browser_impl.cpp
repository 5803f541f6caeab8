#include "browser_impl.h"

#include "browser_window.h"
#include "json_text.h"
#include "page_bootstrap.h"
#include "runtime.h"
#include "wide_text.h"

namespace cef_standin {

CefRefPtr<BrowserImpl> BrowserImpl::Create(const CefWindowInfo& window_info,
                                           CefRefPtr<CefClient> client, const std::string& url,
                                           const std::string& target_id,
                                           const std::string& session_id, bool is_popup) {
    Runtime* runtime = Runtime::Get();
    CefRefPtr<BrowserImpl> browser = new BrowserImpl(runtime->NextBrowserId(), client, is_popup);
    browser->window_ = CreateBrowserWindow(window_info, browser.get());
    if (!browser->window_ || !browser->Attach(target_id, session_id)) {
        if (browser->window_) {
            DetachBrowserWindow(browser->window_);
            DestroyWindow(browser->window_);
        }
        runtime->connection().SendAsync("Target.closeTarget",
                                        "{\"targetId\":" + JsonQuote(target_id) + "}", "", nullptr);
        return nullptr;
    }
    browser->view_ = CreateBrowserView(*browser);
    browser->first_url_ = url;
    runtime->AddBrowser(browser);
    if (CefRefPtr<CefLifeSpanHandler> life_span = client ? client->GetLifeSpanHandler() : nullptr) {
        life_span->OnAfterCreated(browser.get());
    }
    // The page's own agents (Page, Runtime) apply the commands sent in Attach
    // only once the page runs, in order; loading before their answers could
    // commit the document before Page events are on, and its load would go
    // unreported. The resume command's answer comes after theirs.
    browser->session().SendAsync("Runtime.runIfWaitingForDebugger", "",
                                 [browser](const DevToolsMessage&) { browser->OnStarted(); });
    return browser;
}

void BrowserImpl::OnStarted() {
    std::lock_guard<std::mutex> lock(mutex_);
    started_ = true;
    if (!first_url_.empty()) SendNavigate(first_url_, target_id());
    first_url_.clear();
}

void BrowserImpl::Navigate(const std::string& url, const std::string& frame_id) {
    // Sent under the lock, so loads reach the engine in the order asked.
    std::lock_guard<std::mutex> lock(mutex_);
    if (!started_) {
        first_url_ = url;
        return;
    }
    SendNavigate(url, frame_id);
}

void BrowserImpl::SendNavigate(const std::string& url, const std::string& frame_id) {
    session_->SendAsync("Page.navigate",
                        "{\"url\":" + JsonQuote(url) + ",\"frameId\":" + JsonQuote(frame_id) + "}");
}

BrowserImpl::BrowserImpl(int id, CefRefPtr<CefClient> client, bool is_popup)
    : id_(id), client_(client), is_popup_(is_popup) {}

bool BrowserImpl::Attach(const std::string& target_id, const std::string& session_id) {
    Runtime* runtime = Runtime::Get();
    session_ = std::make_unique<DevToolsSession>(&runtime->connection(), session_id, target_id);
    Subscribe();
    RECT client_rect{};
    GetClientRect(window_, &client_rect);
    const std::string agent = "{\"userAgent\":" + JsonQuote(runtime->user_agent()) +
                              ",\"acceptLanguage\":" + JsonQuote(runtime->accept_language()) + "}";
    const std::string patterns =
        "{\"patterns\":[{\"urlPattern\":\"*\",\"requestStage\":\"Request\"}]}";
    const std::string bootstrap = "{\"source\":" + JsonQuote(PageBootstrapScript()) + "}";
    // Fetch is the browser's: its answer means requests are intercepted.
    session_->SendAsync("Page.enable", "");
    session_->SendAsync("Network.enable", "");
    session_->SendAsync("Runtime.enable", "");
    session_->SendAsync("Network.setUserAgentOverride", agent);
    session_->SendAsync("Page.addScriptToEvaluateOnNewDocument", bootstrap);
    OnWindowResized(client_rect.right - client_rect.left, client_rect.bottom - client_rect.top);
    return session_->Send("Fetch.enable", patterns).ok;
}

bool BrowserImpl::IsValid() {
    std::lock_guard<std::mutex> lock(mutex_);
    return !closed_;
}

CefRefPtr<CefFrame> BrowserImpl::GetMainFrame() { return FrameFor(target_id()); }

CefRefPtr<FrameImpl> BrowserImpl::FrameFor(const std::string& engine_id) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = frames_.find(engine_id);
    if (it != frames_.end()) return it->second;
    if (closed_) return nullptr;
    CefRefPtr<FrameImpl> frame = new FrameImpl(this, Runtime::Get()->NextFrameId(), engine_id,
                                               engine_id == session_->target_id());
    frames_[engine_id] = frame;
    return frame;
}

CefRefPtr<FrameImpl> BrowserImpl::FindFrame(int64_t id) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (const auto& entry : frames_) {
        if (entry.second->GetIdentifier() == id) return entry.second;
    }
    return nullptr;
}

CefRefPtr<CefRequestContext> BrowserImpl::GetRequestContext() {
    return CefRequestContext::GetGlobalContext();
}

void BrowserImpl::OnWindowResized(int width, int height) {
    if (!session_ || width <= 0 || height <= 0) return;
    session_->SendAsync("Emulation.setDeviceMetricsOverride",
                        "{\"width\":" + std::to_string(width) + ",\"height\":" +
                            std::to_string(height) + ",\"deviceScaleFactor\":1,\"mobile\":false}");
}

void BrowserImpl::CloseBrowser(bool force_close) {
    Runtime* runtime = Runtime::Get();
    if (!runtime) return;
    CefRefPtr<BrowserImpl> self(this);
    runtime->ui().Post([self, force_close] {
        {
            std::lock_guard<std::mutex> lock(self->mutex_);
            if (self->closing_ || self->closed_) return;
            self->closing_ = true;
        }
        const std::string target = "{\"targetId\":" + JsonQuote(self->target_id()) + "}";
        // An ordinary close lets the page's unload handlers run first.
        if (force_close) {
            Runtime::Get()->connection().SendAsync("Target.closeTarget", target, "", nullptr);
        } else {
            self->session().SendAsync("Page.close", "");
        }
    });
}

void BrowserImpl::OnWindowDestroyed() {
    view_.reset();
    bool closing = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        window_gone_ = true;
        closing = closing_;
        closing_ = true;
    }
    // The host destroyed the window (with its parent): the page goes too.
    if (!closing) {
        Runtime::Get()->connection().SendAsync(
            "Target.closeTarget", "{\"targetId\":" + JsonQuote(target_id()) + "}", "", nullptr);
    }
}

void BrowserImpl::OnTargetGone() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (closed_) return;
    }
    CefRefPtr<CefLifeSpanHandler> life_span = client_ ? client_->GetLifeSpanHandler() : nullptr;
    const bool client_closes_window = life_span && life_span->DoClose(this);
    if (!window_gone_ && !client_closes_window) {
        DetachBrowserWindow(window_);
        view_.reset();
        DestroyWindow(window_);
    }
    if (life_span) life_span->OnBeforeClose(this);
    Finish();
}

void BrowserImpl::Finish() {
    std::map<std::string, CefRefPtr<FrameImpl>> frames;
    CefRefPtr<BrowserImpl> devtools;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closed_ = true;
        frames.swap(frames_);
        devtools.swap(devtools_);
    }
    Runtime* runtime = Runtime::Get();
    for (auto& entry : frames) {
        runtime->renderer().FrameGone(entry.second->GetIdentifier());
        entry.second->Invalidate();
    }
    if (devtools) devtools->CloseBrowser(true);
    runtime->RemoveBrowser(id_);
}

void BrowserImpl::ShowDevTools(const CefWindowInfo& windowInfo, CefRefPtr<CefClient> client,
                               const CefBrowserSettings&, const CefPoint&) {
    Runtime* runtime = Runtime::Get();
    if (!runtime) return;
    CefRefPtr<BrowserImpl> self(this);
    CefWindowInfo info(windowInfo);
    runtime->ui().Post([self, info, client] {
        if (self->HasDevTools() || !self->IsValid()) return;
        Runtime* runtime = Runtime::Get();
        const std::string port = std::to_string(runtime->endpoint().port);
        const std::string url = "http://127.0.0.1:" + port +
                                "/devtools/inspector.html?ws=127.0.0.1:" + port +
                                "/devtools/page/" + self->target_id();
        std::string target_id;
        std::string session_id;
        if (!runtime->CreateTarget(target_id, session_id)) return;
        CefRefPtr<BrowserImpl> devtools = Create(info, client, url, target_id, session_id, true);
        std::lock_guard<std::mutex> lock(self->mutex_);
        self->devtools_ = devtools;
    });
}

void BrowserImpl::CloseDevTools() {
    CefRefPtr<BrowserImpl> devtools;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        devtools = devtools_;
    }
    if (devtools) devtools->CloseBrowser(true);
}

bool BrowserImpl::HasDevTools() {
    std::lock_guard<std::mutex> lock(mutex_);
    return devtools_ && devtools_->IsValid();
}

}  // namespace cef_standin
