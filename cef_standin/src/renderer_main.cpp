// The renderer process: builds each new script context through the
// application's render-process handler, runs the native functions pages
// call, and carries process messages to and from the browser process.
#include "renderer_main.h"

#include <map>
#include <memory>

#include "json_text.h"
#include "pipe_channel.h"
#include "v8_impl.h"
#include "values.h"
#include "wide_text.h"

namespace cef_standin {
namespace {

class RendererBrowser;

class RendererProcess {
  public:
    RendererProcess(PipeChannel& channel, CefRefPtr<CefRenderProcessHandler> handler)
        : channel_(channel), handler_(handler) {}

    int Run();
    PipeChannel& channel() { return channel_; }
    CefRefPtr<CefV8Context> ContextOf(int64_t frame_id);
    CefRefPtr<CefFrame> Frame(CefRefPtr<RendererBrowser> browser, int64_t frame_id, bool is_main);

  private:
    struct Context {
        CefRefPtr<V8ContextImpl> context;
        std::vector<DescribedFunction> functions;
    };

    void OnContext(const rapidjson::Value& message, std::string& reply);
    void OnCall(const rapidjson::Value& message, std::string& reply);
    void OnMessage(const rapidjson::Value& message);
    void OnFrameGone(int64_t frame_id);
    CefRefPtr<RendererBrowser> Browser(int id, int64_t main_frame_id);

    PipeChannel& channel_;
    CefRefPtr<CefRenderProcessHandler> handler_;
    std::map<std::string, Context> contexts_;        // page key -> context
    std::map<int64_t, std::string> frame_contexts_;  // frame -> page key
    std::map<int, CefRefPtr<RendererBrowser>> browsers_;
};

RendererProcess* g_process = nullptr;

class RendererFrame : public CefFrame {
  public:
    RendererFrame(CefRefPtr<CefBrowser> browser, int browser_id, int64_t id, bool is_main)
        : browser_(browser), browser_id_(browser_id), id_(id), is_main_(is_main) {}

    bool IsValid() override { return valid_; }
    void LoadURL(const CefString& url) override {
        ExecuteJavaScript("location.href = " + JsonQuote(url.ToString()) + ";", CefString(), 0);
    }
    void ExecuteJavaScript(const CefString& code, const CefString&, int) override {
        g_process->channel().Write("{\"t\":\"exec\",\"b\":" + std::to_string(browser_id_) +
                                   ",\"f\":" + std::to_string(id_) +
                                   ",\"c\":" + JsonQuote(code.ToString()) + "}");
    }
    bool IsMain() override { return is_main_; }
    CefString GetName() override { return CefString(); }
    int64_t GetIdentifier() override { return id_; }
    CefRefPtr<CefFrame> GetParent() override { return nullptr; }
    CefString GetURL() override { return url_; }
    CefRefPtr<CefBrowser> GetBrowser() override { return browser_; }
    CefRefPtr<CefV8Context> GetV8Context() override { return g_process->ContextOf(id_); }
    void SendProcessMessage(CefProcessId target_process,
                            CefRefPtr<CefProcessMessage> message) override {
        if (target_process != PID_BROWSER || !message || !valid_) return;
        std::string text = "{\"t\":\"message\",\"b\":" + std::to_string(browser_id_) +
                           ",\"f\":" + std::to_string(id_) +
                           ",\"n\":" + JsonQuote(message->GetName().ToString()) + ",\"a\":";
        ListToJson(message->GetArgumentList(), text);
        g_process->channel().Write(text + "}");
        SetListReadOnly(message->GetArgumentList());
    }

    void SetURL(const std::string& url) { url_ = url; }
    void Invalidate() { valid_ = false; }

  private:
    CefRefPtr<CefBrowser> browser_;
    const int browser_id_;
    const int64_t id_;
    const bool is_main_;
    CefString url_;
    bool valid_ = true;
    IMPLEMENT_REFCOUNTING(RendererFrame);
};

class RendererBrowser : public CefBrowser {
  public:
    RendererBrowser(int id, int64_t main_frame_id) : id_(id), main_frame_id_(main_frame_id) {}

    bool IsValid() override { return true; }
    CefRefPtr<CefBrowserHost> GetHost() override { return nullptr; }
    int GetIdentifier() override { return id_; }
    bool IsSame(CefRefPtr<CefBrowser> that) override {
        return that && that->GetIdentifier() == id_;
    }
    bool IsPopup() override { return false; }
    CefRefPtr<CefFrame> GetMainFrame() override {
        return g_process->Frame(this, main_frame_id_, true);
    }

    std::map<int64_t, CefRefPtr<RendererFrame>> frames;

  private:
    const int id_;
    const int64_t main_frame_id_;
    IMPLEMENT_REFCOUNTING(RendererBrowser);
};

int RendererProcess::Run() {
    std::string text;
    while (channel_.Read(text)) {
        rapidjson::Document message;
        message.Parse(text.c_str(), text.size());
        if (message.HasParseError() || !message.IsObject()) continue;
        const std::string type = JsonGetString(message, "t");
        std::string reply;
        if (type == "context") {
            OnContext(message, reply);
        } else if (type == "call") {
            OnCall(message, reply);
        } else if (type == "message") {
            OnMessage(message);
        } else if (type == "frame-gone") {
            OnFrameGone(JsonGetInt(message, "f", 0));
        }
        if (message.HasMember("id")) {
            channel_.Write(
                "{\"t\":\"reply\",\"id\":" + std::to_string(JsonGetInt(message, "id", 0)) +
                ",\"body\":" + JsonQuote(reply) + "}");
        }
    }
    return 0;
}

CefRefPtr<RendererBrowser> RendererProcess::Browser(int id, int64_t main_frame_id) {
    CefRefPtr<RendererBrowser>& browser = browsers_[id];
    if (!browser) browser = new RendererBrowser(id, main_frame_id);
    return browser;
}

CefRefPtr<CefFrame> RendererProcess::Frame(CefRefPtr<RendererBrowser> browser, int64_t frame_id,
                                           bool is_main) {
    CefRefPtr<RendererFrame>& frame = browser->frames[frame_id];
    if (!frame)
        frame = new RendererFrame(browser.get(), browser->GetIdentifier(), frame_id, is_main);
    return frame.get();
}

CefRefPtr<CefV8Context> RendererProcess::ContextOf(int64_t frame_id) {
    auto key = frame_contexts_.find(frame_id);
    if (key == frame_contexts_.end()) return nullptr;
    auto context = contexts_.find(key->second);
    return context == contexts_.end() ? nullptr : context->second.context.get();
}

void RendererProcess::OnContext(const rapidjson::Value& message, std::string& reply) {
    auto page = message.FindMember("page");
    if (page == message.MemberEnd()) return;
    const std::string key = JsonGetString(page->value, "k");
    const int64_t frame_id = JsonGetInt(message, "f", 0);
    CefRefPtr<RendererBrowser> browser =
        Browser(static_cast<int>(JsonGetInt(message, "b", 0)), JsonGetInt(message, "mf", 0));
    CefRefPtr<CefFrame> frame = Frame(browser, frame_id, JsonGetBool(message, "m"));
    static_cast<RendererFrame*>(frame.get())->SetURL(JsonGetString(page->value, "u"));

    // A frame shows one document at a time: its earlier context is gone.
    auto previous = frame_contexts_.find(frame_id);
    if (previous != frame_contexts_.end()) {
        auto old = contexts_.find(previous->second);
        if (old != contexts_.end()) {
            old->second.context->Invalidate();
            contexts_.erase(old);
        }
    }
    Context& entry = contexts_[key];
    entry.context = new V8ContextImpl(browser.get(), frame);
    frame_contexts_[frame_id] = key;
    if (handler_) {
        ScopedCurrentContext current(entry.context.get());
        handler_->OnContextCreated(browser.get(), frame, entry.context.get());
    }
    reply = DescribeGlobal(entry.context->GetGlobal(), entry.functions);
}

void RendererProcess::OnCall(const rapidjson::Value& message, std::string& reply) {
    reply = "{}";
    auto page = message.FindMember("page");
    if (page == message.MemberEnd()) return;
    auto context = contexts_.find(JsonGetString(page->value, "k"));
    if (context == contexts_.end()) return;
    const int64_t index = JsonGetInt(page->value, "f", -1);
    if (index < 0 || index >= static_cast<int64_t>(context->second.functions.size())) return;
    DescribedFunction function = context->second.functions[static_cast<size_t>(index)];
    CefV8ValueList arguments;
    auto args = page->value.FindMember("a");
    if (args != page->value.MemberEnd() && args->value.IsArray()) {
        for (const auto& arg : args->value.GetArray()) arguments.push_back(ValueFromPage(arg));
    }
    CefRefPtr<CefV8Handler> handler = function.function->GetFunctionHandler();
    CefRefPtr<CefV8Value> retval;
    CefString exception;
    CefRefPtr<V8ContextImpl> current = context->second.context;
    ScopedCurrentContext scope(current.get());
    if (!handler->Execute(function.function->GetFunctionName(), function.holder, arguments, retval,
                          exception)) {
        return;
    }
    if (!exception.empty()) {
        reply = "{\"e\":" + JsonQuote(exception.ToString()) + "}";
        return;
    }
    reply = ResultForPage(retval);
}

void RendererProcess::OnMessage(const rapidjson::Value& message) {
    if (!handler_) return;
    auto browser = browsers_.find(static_cast<int>(JsonGetInt(message, "b", 0)));
    if (browser == browsers_.end()) return;
    CefRefPtr<CefFrame> frame = Frame(browser->second, JsonGetInt(message, "f", 0), false);
    CefRefPtr<CefProcessMessage> process_message =
        CefProcessMessage::Create(JsonGetString(message, "n"));
    auto args = message.FindMember("a");
    if (args != message.MemberEnd()) {
        CefRefPtr<CefListValue> list = ListFromJson(args->value);
        CefRefPtr<CefListValue> target = process_message->GetArgumentList();
        for (size_t i = 0; i < list->GetSize(); ++i) target->SetValue(i, list->GetValue(i));
        SetListReadOnly(target);
    }
    handler_->OnProcessMessageReceived(browser->second.get(), frame, PID_BROWSER, process_message);
}

void RendererProcess::OnFrameGone(int64_t frame_id) {
    auto key = frame_contexts_.find(frame_id);
    if (key != frame_contexts_.end()) {
        auto context = contexts_.find(key->second);
        if (context != contexts_.end()) {
            context->second.context->Invalidate();
            contexts_.erase(context);
        }
        frame_contexts_.erase(key);
    }
    for (auto& browser : browsers_) {
        auto frame = browser.second->frames.find(frame_id);
        if (frame == browser.second->frames.end()) continue;
        frame->second->Invalidate();
        browser.second->frames.erase(frame);
    }
}

}  // namespace

int RunSubProcess(CefRefPtr<CefApp> app) {
    CefRefPtr<CefCommandLine> command_line = CefCommandLine::CreateCommandLine();
    command_line->InitFromString(GetCommandLineW());
    const std::string type = command_line->GetSwitchValue("type").ToString();
    if (type.empty()) return -1;
    if (app) app->OnBeforeCommandLineProcessing(type, command_line);
    if (type != "renderer") return 0;
    PipeChannel channel;
    if (!channel.Connect(command_line->GetSwitchValue("cef-standin-pipe").ToWString())) return 1;
    RendererProcess process(channel, app ? app->GetRenderProcessHandler() : nullptr);
    g_process = &process;
    const int exit_code = process.Run();
    g_process = nullptr;
    return exit_code;
}

}  // namespace cef_standin
