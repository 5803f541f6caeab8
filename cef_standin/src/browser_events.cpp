// Page events of a browser's session: frames, loads, dialogs and script
// contexts.
#include "browser_impl.h"
#include "json_text.h"
#include "runtime.h"

namespace cef_standin {

void BrowserImpl::Subscribe() {
    CefRefPtr<BrowserImpl> self(this);
    TaskThread& ui = Runtime::Get()->ui();
    session_->Subscribe("Fetch.requestPaused",
                        [self](const DevToolsMessage& m) { self->OnRequestPaused(m); });
    session_->Subscribe("Page.frameNavigated", [self, &ui](const DevToolsMessage& m) {
        auto document = m.document;
        ui.Post([self, document, m] {
            auto frame = m.value().FindMember("frame");
            if (frame != m.value().MemberEnd()) self->OnFrameNavigated(frame->value);
        });
    });
    session_->Subscribe("Page.frameStoppedLoading", [self, &ui](const DevToolsMessage& m) {
        const std::string frame_id = JsonGetString(m.value(), "frameId");
        ui.Post([self, frame_id] { self->OnFrameStoppedLoading(frame_id); });
    });
    session_->Subscribe("Page.frameDetached", [self, &ui](const DevToolsMessage& m) {
        if (JsonGetString(m.value(), "reason") == "swap") return;
        const std::string frame_id = JsonGetString(m.value(), "frameId");
        ui.Post([self, frame_id] { self->OnFrameDetached(frame_id); });
    });
    session_->Subscribe("Network.requestWillBeSent", [self](const DevToolsMessage& m) {
        if (JsonGetString(m.value(), "type") != "Document") return;
        std::lock_guard<std::mutex> lock(self->mutex_);
        auto request = m.value().FindMember("request");
        std::string url;
        if (request != m.value().MemberEnd()) url = JsonGetString(request->value, "url");
        self->document_frames_[JsonGetString(m.value(), "requestId")] = {
            JsonGetString(m.value(), "frameId"), url};
    });
    session_->Subscribe("Network.responseReceived", [self, &ui](const DevToolsMessage& m) {
        if (JsonGetString(m.value(), "type") != "Document") return;
        {
            std::lock_guard<std::mutex> lock(self->mutex_);
            self->document_frames_.erase(JsonGetString(m.value(), "requestId"));
        }
        const std::string frame_id = JsonGetString(m.value(), "frameId");
        auto response = m.value().FindMember("response");
        if (response == m.value().MemberEnd()) return;
        const int status = static_cast<int>(JsonGetInt(response->value, "status", 0));
        ui.Post([self, frame_id, status] {
            if (CefRefPtr<FrameImpl> frame = self->FrameFor(frame_id)) frame->status = status;
        });
    });
    session_->Subscribe("Network.loadingFailed", [self, &ui](const DevToolsMessage& m) {
        if (JsonGetString(m.value(), "type") != "Document") return;
        std::string frame_id;
        std::string url;
        {
            std::lock_guard<std::mutex> lock(self->mutex_);
            auto it = self->document_frames_.find(JsonGetString(m.value(), "requestId"));
            if (it == self->document_frames_.end()) return;
            frame_id = it->second.first;
            url = it->second.second;
            self->document_frames_.erase(it);
        }
        const std::string error = JsonGetString(m.value(), "errorText");
        const bool canceled = JsonGetBool(m.value(), "canceled");
        ui.Post([self, frame_id, error, canceled, url] {
            self->OnLoadFailed(frame_id, error, canceled, url);
        });
    });
    session_->Subscribe("Page.javascriptDialogOpening", [self](const DevToolsMessage&) {
        self->session_->SendAsync("Page.handleJavaScriptDialog", "{\"accept\":true}");
    });
    session_->Subscribe("Runtime.executionContextCreated", [self](const DevToolsMessage& m) {
        auto context = m.value().FindMember("context");
        if (context == m.value().MemberEnd()) return;
        auto aux = context->value.FindMember("auxData");
        if (aux == context->value.MemberEnd() || !JsonGetBool(aux->value, "isDefault")) return;
        const std::string frame_id = JsonGetString(aux->value, "frameId");
        if (CefRefPtr<FrameImpl> frame = self->FrameFor(frame_id)) {
            frame->SetExecutionContext(static_cast<int>(JsonGetInt(context->value, "id", 0)));
        }
    });
}

void BrowserImpl::OnFrameNavigated(const rapidjson::Value& frame_json) {
    const std::string id = JsonGetString(frame_json, "id");
    CefRefPtr<FrameImpl> frame = FrameFor(id);
    if (!frame) return;
    // An error page stands for the address that failed.
    std::string url = JsonGetString(frame_json, "unreachableUrl");
    if (url.empty())
        url = JsonGetString(frame_json, "url") + JsonGetString(frame_json, "urlFragment");
    frame->Update(url, JsonGetString(frame_json, "name"), JsonGetString(frame_json, "parentId"));
    frame->load_pending = true;
}

void BrowserImpl::OnFrameStoppedLoading(const std::string& frame_id) {
    CefRefPtr<FrameImpl> frame;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto it = frames_.find(frame_id);
        if (it == frames_.end() || !it->second->load_pending) return;
        frame = it->second;
    }
    frame->load_pending = false;
    CefRefPtr<CefLoadHandler> load = client_ ? client_->GetLoadHandler() : nullptr;
    if (load) load->OnLoadEnd(this, frame.get(), frame->status);
}

void BrowserImpl::OnFrameDetached(const std::string& frame_id) {
    CefRefPtr<FrameImpl> frame;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto it = frames_.find(frame_id);
        if (it == frames_.end()) return;
        frame = it->second;
        frames_.erase(it);
    }
    Runtime::Get()->renderer().FrameGone(frame->GetIdentifier());
    frame->Invalidate();
}

void BrowserImpl::OnLoadFailed(const std::string& frame_id, const std::string& error, bool canceled,
                               const std::string& url) {
    CefRefPtr<FrameImpl> frame = FrameFor(frame_id);
    CefRefPtr<CefLoadHandler> load = client_ ? client_->GetLoadHandler() : nullptr;
    if (!frame || !load) return;
    cef_errorcode_t code = canceled ? ERR_ABORTED : ERR_FAILED;
    if (error == "net::ERR_CONNECTION_REFUSED") code = ERR_CONNECTION_REFUSED;
    if (error == "net::ERR_NAME_NOT_RESOLVED") code = ERR_NAME_NOT_RESOLVED;
    if (error == "net::ERR_BLOCKED_BY_CLIENT") code = ERR_BLOCKED_BY_CLIENT;
    load->OnLoadError(this, frame.get(), code, error,
                      url.empty() ? frame->GetURL() : CefString(url));
}

}  // namespace cef_standin
