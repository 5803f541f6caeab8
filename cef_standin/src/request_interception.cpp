// Requests of a browser's page, paused by the engine before they are sent:
// document requests go to OnBeforeBrowse on the UI thread, then every
// request goes to OnBeforeResourceLoad on the IO thread; the handlers'
// decision and header edits are what the engine sends. Requests to the
// reserved path carry the page side of native script functions.
#include <windows.h>
#include <wincrypt.h>

#include "browser_impl.h"
#include "json_text.h"
#include "request_impl.h"
#include "runtime.h"

namespace cef_standin {
namespace {

constexpr char kReservedPath[] = "/__cef_standin/";

// The path of |url| after its scheme and authority.
std::string PathOf(const std::string& url) {
    size_t scheme = url.find("://");
    if (scheme == std::string::npos) return {};
    size_t path = url.find('/', scheme + 3);
    return path == std::string::npos ? std::string() : url.substr(path);
}

std::string Base64Encode(const std::string& bytes) {
    if (bytes.empty()) return {};
    DWORD size = 0;
    const DWORD flags = CRYPT_STRING_BASE64 | CRYPT_STRING_NOCRLF;
    CryptBinaryToStringA(reinterpret_cast<const BYTE*>(bytes.data()),
                         static_cast<DWORD>(bytes.size()), flags, nullptr, &size);
    std::string out(size, '\0');
    CryptBinaryToStringA(reinterpret_cast<const BYTE*>(bytes.data()),
                         static_cast<DWORD>(bytes.size()), flags, &out[0], &size);
    out.resize(size);
    return out;
}

std::string Base64Decode(const std::string& text) {
    DWORD size = 0;
    if (!CryptStringToBinaryA(text.c_str(), static_cast<DWORD>(text.size()), CRYPT_STRING_BASE64,
                              nullptr, &size, nullptr, nullptr)) {
        return {};
    }
    std::string out(size, '\0');
    CryptStringToBinaryA(text.c_str(), static_cast<DWORD>(text.size()), CRYPT_STRING_BASE64,
                         reinterpret_cast<BYTE*>(&out[0]), &size, nullptr, nullptr);
    out.resize(size);
    return out;
}

std::string PostBody(const rapidjson::Value& request) {
    auto post = request.FindMember("postData");
    if (post != request.MemberEnd() && post->value.IsString()) return post->value.GetString();
    std::string body;
    auto entries = request.FindMember("postDataEntries");
    if (entries == request.MemberEnd() || !entries->value.IsArray()) return body;
    for (const auto& entry : entries->value.GetArray()) {
        body += Base64Decode(JsonGetString(entry, "bytes"));
    }
    return body;
}

std::string Quoted(const std::string& request_id) {
    return "{\"requestId\":" + JsonQuote(request_id);
}

void FailRequest(DevToolsSession& session, const std::string& request_id) {
    session.SendAsync("Fetch.failRequest", Quoted(request_id) + ",\"errorReason\":\"Aborted\"}");
}

// Sends the request on with what the handlers changed. Several values of
// one name travel as one header, joined with ", ".
void ContinueRequest(DevToolsSession& session, const std::string& request_id,
                     RequestImpl& request) {
    std::string params = Quoted(request_id);
    if (request.url_changed()) params += ",\"url\":" + JsonQuote(request.GetURL().ToString());
    if (request.method_changed()) {
        params += ",\"method\":" + JsonQuote(request.GetMethod().ToString());
    }
    if (request.headers_changed()) {
        CefRequest::HeaderMap headers;
        request.GetHeaderMap(headers);
        params += ",\"headers\":[";
        bool first = true;
        for (auto it = headers.begin(); it != headers.end();) {
            auto range = headers.equal_range(it->first);
            std::string value;
            for (auto v = range.first; v != range.second; ++v) {
                if (v != range.first) value += ", ";
                value += v->second.ToString();
            }
            if (!first) params += ",";
            first = false;
            params += "{\"name\":" + JsonQuote(it->first.ToString()) +
                      ",\"value\":" + JsonQuote(value) + "}";
            it = range.second;
        }
        params += "]";
    }
    session.SendAsync("Fetch.continueRequest", params + "}");
}

class ResourceCallback : public CefCallback {
  public:
    ResourceCallback(CefRefPtr<BrowserImpl> browser, std::string request_id,
                     CefRefPtr<RequestImpl> request)
        : browser_(browser), request_id_(std::move(request_id)), request_(request) {}

    void Continue() override { Finish(true); }
    void Cancel() override { Finish(false); }

  private:
    void Finish(bool proceed) {
        CefRefPtr<BrowserImpl> browser;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            browser.swap(browser_);
        }
        if (!browser) return;
        request_->SetReadOnly(true);
        if (proceed)
            ContinueRequest(browser->session(), request_id_, *request_);
        else
            FailRequest(browser->session(), request_id_);
    }

    std::mutex mutex_;
    CefRefPtr<BrowserImpl> browser_;
    const std::string request_id_;
    const CefRefPtr<RequestImpl> request_;
    IMPLEMENT_REFCOUNTING(ResourceCallback);
};

}  // namespace

void BrowserImpl::OnRequestPaused(const DevToolsMessage& message) {
    const rapidjson::Value& params = message.value();
    const std::string request_id = JsonGetString(params, "requestId");
    auto request_json = params.FindMember("request");
    if (request_json == params.MemberEnd()) return;
    const rapidjson::Value& request = request_json->value;
    const std::string url = JsonGetString(request, "url") + JsonGetString(request, "urlFragment");
    CefRefPtr<FrameImpl> frame = FrameFor(JsonGetString(params, "frameId"));
    if (!frame) {
        session_->SendAsync("Fetch.continueRequest", Quoted(request_id) + "}");
        return;
    }
    const std::string path = PathOf(url);
    if (path.compare(0, sizeof(kReservedPath) - 1, kReservedPath) == 0) {
        ReserveRequest(request_id, path.substr(sizeof(kReservedPath) - 1), PostBody(request),
                       frame);
        return;
    }

    CefRequest::HeaderMap headers;
    auto header_json = request.FindMember("headers");
    if (header_json != request.MemberEnd() && header_json->value.IsObject()) {
        const rapidjson::Value& fields = header_json->value;
        for (auto header = fields.MemberBegin(); header != fields.MemberEnd(); ++header) {
            if (!header->value.IsString()) continue;
            headers.insert(std::make_pair(CefString(std::string(header->name.GetString())),
                                          CefString(std::string(header->value.GetString()))));
        }
    }
    const std::string type = JsonGetString(params, "resourceType");
    static std::atomic<uint64_t> next_request_id{1};
    CefRefPtr<RequestImpl> cef_request =
        new RequestImpl(next_request_id++, url, JsonGetString(request, "method"), headers,
                        ResourceTypeFromEngine(type, frame->IsMain()));
    CefRefPtr<BrowserImpl> self(this);
    Runtime* runtime = Runtime::Get();
    if (type != "Document") {
        runtime->io().Post([self, request_id, frame, cef_request] {
            self->ResourceStage(request_id, frame, cef_request, false);
        });
        return;
    }
    const bool is_redirect = params.HasMember("redirectedRequestId");
    runtime->ui().Post([self, request_id, frame, cef_request, is_redirect] {
        CefRefPtr<CefRequestHandler> handler =
            self->client_ ? self->client_->GetRequestHandler() : nullptr;
        bool cancel = false;
        if (handler) {
            cef_request->SetReadOnly(true);
            cancel = handler->OnBeforeBrowse(self.get(), frame.get(), cef_request.get(), false,
                                             is_redirect);
            cef_request->SetReadOnly(false);
        }
        if (cancel) {
            FailRequest(self->session(), request_id);
            return;
        }
        Runtime::Get()->io().Post([self, request_id, frame, cef_request] {
            self->ResourceStage(request_id, frame, cef_request, true);
        });
    });
}

void BrowserImpl::ResourceStage(const std::string& request_id, CefRefPtr<FrameImpl> frame,
                                CefRefPtr<RequestImpl> request, bool is_navigation) {
    CefRefPtr<CefRequestHandler> handler = client_ ? client_->GetRequestHandler() : nullptr;
    CefRefPtr<CefResourceRequestHandler> resource_handler;
    if (handler) {
        bool disable_default_handling = false;
        resource_handler =
            handler->GetResourceRequestHandler(this, frame.get(), request.get(), is_navigation,
                                               false, CefString(), disable_default_handling);
    }
    if (!resource_handler) {
        ContinueRequest(*session_, request_id, *request);
        return;
    }
    CefRefPtr<ResourceCallback> callback = new ResourceCallback(this, request_id, request);
    switch (
        resource_handler->OnBeforeResourceLoad(this, frame.get(), request.get(), callback.get())) {
        case RV_CONTINUE:
            callback->Continue();
            break;
        case RV_CANCEL:
            callback->Cancel();
            break;
        case RV_CONTINUE_ASYNC:
            break;
    }
}

void BrowserImpl::ReserveRequest(const std::string& request_id, const std::string& kind,
                                 const std::string& body, CefRefPtr<FrameImpl> frame) {
    CefRefPtr<BrowserImpl> self(this);
    auto fulfil = [self, request_id](const std::string& answer) {
        self->session().SendAsync(
            "Fetch.fulfillRequest",
            Quoted(request_id) +
                ",\"responseCode\":200,\"responseHeaders\":["
                "{\"name\":\"Content-Type\",\"value\":\"application/json\"},"
                "{\"name\":\"Cache-Control\",\"value\":\"no-store\"},"
                "{\"name\":\"Access-Control-Allow-Origin\",\"value\":\"*\"}],\"body\":" +
                JsonQuote(Base64Encode(answer.empty() ? "{}" : answer)) + "}");
    };
    std::string request;
    if (kind == "context") {
        CefRefPtr<FrameImpl> main = FrameFor(target_id());
        request = "{\"t\":\"context\",\"b\":" + std::to_string(id_) +
                  ",\"mf\":" + std::to_string(main ? main->GetIdentifier() : 0) +
                  ",\"f\":" + std::to_string(frame->GetIdentifier()) +
                  ",\"m\":" + (frame->IsMain() ? "true" : "false") +
                  ",\"u\":" + JsonQuote(frame->GetURL().ToString()) + ",\"page\":";
    } else if (kind == "call") {
        request = "{\"t\":\"call\",\"page\":";
    } else {
        fulfil("{}");
        return;
    }
    rapidjson::Document page;
    page.Parse(body.c_str());
    request += page.HasParseError() ? "null" : JsonWrite(page);
    Runtime::Get()->renderer().Request(request + "}", fulfil);
}

}  // namespace cef_standin
