#include "runtime.h"

#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "browser_impl.h"
#include "json_text.h"
#include "runtime_log.h"
#include "wide_text.h"

namespace cef_standin {
namespace {

Runtime* g_runtime = nullptr;

std::wstring StructText(const cef_string_t& text) {
    return text.str ? std::wstring(text.str, text.length) : std::wstring();
}

// Switches of the engine that the runtime always sets itself.
const char* const kEngineSwitches[] = {
    "--headless",
    "--no-sandbox",
    "--disable-gpu",
    "--disable-quic",
    "--no-first-run",
    "--no-default-browser-check",
    "--disable-background-networking",
    "--disable-component-update",
    "--disable-sync",
    "--disable-popup-blocking",
    "--remote-debugging-port=0",
};

// Frames stay in their page's process, so one session sees all of a page.
constexpr char kDisabledFeatures[] = "IsolateOrigins,site-per-process";

// Switches of the runtime's own that never reach the engine.
bool IsRuntimeSwitch(const std::string& name) {
    return name == "type" || name == "cef-standin-pipe" || name == "remote-debugging-port" ||
           name == "user-data-dir" || name == "headless";
}

void RemoveFolder(const std::wstring& folder) {
    std::wstring from = folder + L'\0';
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationW(&op);
}

}  // namespace

Runtime* Runtime::Get() { return g_runtime; }

Runtime::Runtime() = default;

bool Runtime::Initialize(const CefMainArgs&, const CefSettings& settings, CefRefPtr<CefApp> app) {
    if (g_runtime) return false;
    g_runtime = new Runtime();
    if (g_runtime->Start(settings, app)) return true;
    Shutdown();
    return false;
}

void Runtime::Shutdown() {
    if (!g_runtime) return;
    g_runtime->Stop();
    delete g_runtime;
    g_runtime = nullptr;
}

bool Runtime::Start(const CefSettings& settings, CefRefPtr<CefApp> app) {
    EnableLog(settings.log_severity != LOGSEVERITY_DISABLE);
    CefRefPtr<CefCommandLine> command_line = CefCommandLine::CreateCommandLine();
    command_line->InitFromString(GetCommandLineW());
    if (app) app->OnBeforeCommandLineProcessing(CefString(), command_line);

    accept_language_ = WideToUtf8(StructText(settings.accept_language_list));
    const std::string locale = WideToUtf8(StructText(settings.locale));
    if (accept_language_.empty()) accept_language_ = locale.empty() ? "en-US" : locale;
    user_agent_ = WideToUtf8(StructText(settings.user_agent));

    std::vector<std::string> switches(std::begin(kEngineSwitches), std::end(kEngineSwitches));
    switches.push_back("--accept-lang=" + accept_language_);
    if (!locale.empty()) switches.push_back("--lang=" + locale);
    if (!user_agent_.empty()) switches.push_back("--user-agent=" + user_agent_);
    std::string disabled_features = kDisabledFeatures;
    CefCommandLine::SwitchMap app_switches;
    command_line->GetSwitches(app_switches);
    for (const auto& sw : app_switches) {
        const std::string name = sw.first.ToString();
        const std::string value = sw.second.ToString();
        if (IsRuntimeSwitch(name)) continue;
        if (name == "disable-features") {
            disabled_features += "," + value;
            continue;
        }
        switches.push_back("--" + name + (value.empty() ? "" : "=" + value));
    }
    switches.push_back("--disable-features=" + disabled_features);

    std::wstring profile = StructText(settings.user_data_path);
    if (profile.empty()) {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        profile = std::wstring(temp) + L"cef_standin_" + std::to_wstring(GetCurrentProcessId()) +
                  L"_" + std::to_wstring(GetTickCount64());
        temporary_profile_ = profile;
    }
    SHCreateDirectoryExW(nullptr, profile.c_str(), nullptr);
    const std::wstring cache = StructText(settings.cache_path);
    if (!cache.empty()) {
        SHCreateDirectoryExW(nullptr, cache.c_str(), nullptr);
        const std::string unix_cache = EngineProcess::UnixPath(cache);
        if (!unix_cache.empty()) switches.push_back("--disk-cache-dir=" + unix_cache);
    }

    std::wstring program = StructText(settings.browser_subprocess_path);
    if (program.empty()) {
        wchar_t self[MAX_PATH];
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        program = self;
    }

    if (!ui_.Start() || !io_.Start()) return false;
    if (!engine_.Launch(switches, profile)) {
        Log("the engine " + EngineProcess::EnginePath() + " did not start");
        return false;
    }
    if (!renderer_.Launch(program)) {
        Log("the renderer process did not start");
        return false;
    }
    // The engine and the renderer start while the host goes on (its first
    // window need not wait for them); the UI thread connects to both before
    // any browser task it runs.
    CefRefPtr<CefBrowserProcessHandler> handler = app ? app->GetBrowserProcessHandler() : nullptr;
    ui_.Post([this, handler] {
        if (Connect() && handler) handler->OnContextInitialized();
    });
    return true;
}

bool Runtime::Connect() {
    if (!engine_.WaitForEndpoint(endpoint_)) {
        Log("the engine " + EngineProcess::EnginePath() + " gave no DevTools endpoint");
        return false;
    }
    if (!connection_.Open(
            endpoint_.port, endpoint_.browser_path,
            [this](const std::string& method, const DevToolsMessage& message,
                   const std::string& session_id) { OnEvent(method, message, session_id); })) {
        return false;
    }
    if (user_agent_.empty()) {
        DevToolsMessage version = connection_.Send("Browser.getVersion", "", "");
        user_agent_ = JsonGetString(version.value(), "userAgent");
        const size_t headless = user_agent_.find("HeadlessChrome");
        if (headless != std::string::npos) user_agent_.erase(headless, 8);
    }
    const DevToolsMessage attach = connection_.Send(
        "Target.setAutoAttach",
        "{\"autoAttach\":true,\"waitForDebuggerOnStart\":true,\"flatten\":true}", "");
    if (!attach.ok) {
        Log("Target.setAutoAttach failed: " + attach.error);
        return false;
    }
    // A page opened by script can start loading before its own session is
    // set up; its document requests are held here until it is taken or
    // refused, so a refused popup never reaches the network.
    const DevToolsMessage documents =
        connection_.Send("Fetch.enable",
                         "{\"patterns\":[{\"urlPattern\":\"*\",\"resourceType\":\"Document\","
                         "\"requestStage\":\"Request\"}]}",
                         "");
    if (!documents.ok) {
        Log("Fetch.enable failed: " + documents.error);
        return false;
    }
    if (!renderer_.Connect()) {
        Log("the renderer process did not connect");
        return false;
    }
    return true;
}

void Runtime::Stop() {
    std::map<int, CefRefPtr<BrowserImpl>> browsers;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        browsers = browsers_;
    }
    for (auto& entry : browsers) entry.second->CloseBrowser(true);
    ui_.Stop();
    io_.Stop();
    connection_.Send("Browser.close", "", "", 3000);
    connection_.Close();
    engine_.Stop();
    renderer_.Stop();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        browsers_.clear();
    }
    if (!temporary_profile_.empty()) RemoveFolder(temporary_profile_);
}

int Runtime::NextBrowserId() {
    std::lock_guard<std::mutex> lock(mutex_);
    return next_browser_id_++;
}

int64_t Runtime::NextFrameId() {
    std::lock_guard<std::mutex> lock(mutex_);
    return next_frame_id_++;
}

void Runtime::AddBrowser(CefRefPtr<BrowserImpl> browser) {
    std::lock_guard<std::mutex> lock(mutex_);
    browsers_[browser->GetIdentifier()] = browser;
}

void Runtime::RemoveBrowser(int id) {
    std::lock_guard<std::mutex> lock(mutex_);
    browsers_.erase(id);
}

CefRefPtr<BrowserImpl> Runtime::FindBrowser(int id) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = browsers_.find(id);
    return it == browsers_.end() ? nullptr : it->second;
}

CefRefPtr<BrowserImpl> Runtime::FindBySession(const std::string& session_id) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (const auto& entry : browsers_) {
        if (entry.second->session().session_id() == session_id) return entry.second;
    }
    return nullptr;
}

bool Runtime::CreateTarget(std::string& target_id, std::string& session_id) {
    const DevToolsMessage created =
        connection_.Send("Target.createTarget", "{\"url\":\"about:blank\"}", "");
    target_id = JsonGetString(created.value(), "targetId");
    if (!created.ok || target_id.empty()) return false;
    std::unique_lock<std::mutex> lock(mutex_);
    const bool attached = attached_changed_.wait_for(
        lock, std::chrono::seconds(15), [&] { return unclaimed_.count(target_id) != 0; });
    if (!attached) return false;
    session_id = unclaimed_[target_id];
    unclaimed_.erase(target_id);
    lock.unlock();
    ReleaseDocuments(target_id, true);
    return true;
}

void Runtime::OnDocumentPaused(const DevToolsMessage& message) {
    const std::string request_id = JsonGetString(message.value(), "requestId");
    const std::string frame_id = JsonGetString(message.value(), "frameId");
    bool refused = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (unclaimed_.count(frame_id)) {
            held_documents_[frame_id].push_back(request_id);
            return;
        }
        refused = refused_targets_.count(frame_id) != 0;
    }
    AnswerDocument(request_id, !refused);
}

void Runtime::AnswerDocument(const std::string& request_id, bool go_on) {
    const std::string id = "{\"requestId\":" + JsonQuote(request_id);
    if (go_on) {
        connection_.SendAsync("Fetch.continueRequest", id + "}", "", nullptr);
    } else {
        connection_.SendAsync("Fetch.failRequest", id + ",\"errorReason\":\"Aborted\"}", "",
                              nullptr);
    }
}

void Runtime::ReleaseDocuments(const std::string& target_id, bool go_on) {
    std::vector<std::string> held;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto it = held_documents_.find(target_id);
        if (it == held_documents_.end()) return;
        held.swap(it->second);
        held_documents_.erase(it);
    }
    for (const std::string& request_id : held) AnswerDocument(request_id, go_on);
}

void Runtime::QueueWindowOpen(int opener, const WindowOpenRequest& request) {
    std::lock_guard<std::mutex> lock(mutex_);
    window_opens_.emplace_back(opener, request);
}

void Runtime::OnEvent(const std::string& method, const DevToolsMessage& message,
                      const std::string& session_id) {
    if (session_id.empty()) {
        if (method == "Target.attachedToTarget") {
            OnAttached(message);
        } else if (method == "Fetch.requestPaused") {
            OnDocumentPaused(message);
        } else if (method == "Target.detachedFromTarget") {
            {
                std::lock_guard<std::mutex> lock(mutex_);
                refused_targets_.erase(JsonGetString(message.value(), "targetId"));
            }
            CefRefPtr<BrowserImpl> browser =
                FindBySession(JsonGetString(message.value(), "sessionId"));
            if (browser) ui_.Post([browser] { browser->OnTargetGone(); });
        }
        return;
    }
    if (CefRefPtr<BrowserImpl> browser = FindBySession(session_id)) {
        if (method == "Page.windowOpen") {
            WindowOpenRequest request;
            request.url = JsonGetString(message.value(), "url");
            request.name = JsonGetString(message.value(), "windowName");
            request.user_gesture = JsonGetBool(message.value(), "userGesture");
            QueueWindowOpen(browser->GetIdentifier(), request);
        }
        browser->session().Deliver(method, message);
    }
}

void Runtime::OnAttached(const DevToolsMessage& message) {
    const rapidjson::Value& params = message.value();
    const std::string session_id = JsonGetString(params, "sessionId");
    auto info = params.FindMember("targetInfo");
    if (info == params.MemberEnd()) return;
    const std::string type = JsonGetString(info->value, "type");
    const std::string target_id = JsonGetString(info->value, "targetId");
    if (type != "page" || !JsonGetBool(params, "waitingForDebugger")) {
        // Targets that were there before (the engine's first page) or are
        // not pages: left alone.
        connection_.SendAsync("Runtime.runIfWaitingForDebugger", "", session_id, nullptr);
        connection_.SendAsync("Target.detachFromTarget",
                              "{\"sessionId\":" + JsonQuote(session_id) + "}", "", nullptr);
        return;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        unclaimed_[target_id] = session_id;
    }
    attached_changed_.notify_all();
    const std::string opener = JsonGetString(info->value, "openerId");
    const std::string url = JsonGetString(info->value, "url");
    ui_.Post([this, target_id, opener, url] { AdoptNewTarget(target_id, opener, url); });
}

void Runtime::DiscardPausedTarget(const std::string& target_id, const std::string& session_id) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        refused_targets_.insert(target_id);
    }
    ReleaseDocuments(target_id, false);
    // A page opened by script may share its opener's renderer, whose script
    // stays held in window.open while the new page waits. Its documents
    // failing, it is resumed and closed only once running: closed while
    // waiting, it leaves the opener's later requests failing.
    const std::string close = "{\"targetId\":" + JsonQuote(target_id) + "}";
    connection_.SendAsync("Runtime.runIfWaitingForDebugger", "", session_id,
                          [this, close](const DevToolsMessage&) {
                              connection_.SendAsync("Target.closeTarget", close, "", nullptr);
                          });
}

void Runtime::AdoptNewTarget(const std::string& target_id, const std::string& opener_id,
                             const std::string& url) {
    std::string session_id;
    CefRefPtr<BrowserImpl> opener;
    WindowOpenRequest request;
    bool requested = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto it = unclaimed_.find(target_id);
        if (it == unclaimed_.end()) return;
        session_id = it->second;
        unclaimed_.erase(it);
        for (const auto& entry : browsers_) {
            if (entry.second->target_id() == opener_id) opener = entry.second;
        }
        if (!window_opens_.empty()) {
            auto open = window_opens_.begin();
            if (opener) {
                while (open != window_opens_.end() && open->first != opener->GetIdentifier()) {
                    ++open;
                }
            }
            if (open != window_opens_.end()) {
                if (!opener) {
                    auto found = browsers_.find(open->first);
                    if (found != browsers_.end()) opener = found->second;
                }
                request = open->second;
                requested = true;
                window_opens_.erase(open);
            }
        }
    }
    if (!opener) {
        DiscardPausedTarget(target_id, session_id);
        return;
    }
    if (!requested) request.url = url;
    CefRefPtr<CefClient> client = opener->GetClient();
    CefRefPtr<CefLifeSpanHandler> life_span = client ? client->GetLifeSpanHandler() : nullptr;
    CefWindowInfo window_info;
    window_info.SetAsPopup(nullptr, CefString());
    CefBrowserSettings settings;
    CefRefPtr<CefDictionaryValue> extra_info;
    CefPopupFeatures features;
    bool no_javascript_access = false;
    const bool refused =
        life_span &&
        life_span->OnBeforePopup(opener.get(), opener->GetMainFrame(), request.url, request.name,
                                 WOD_NEW_FOREGROUND_TAB, request.user_gesture, features,
                                 window_info, client, settings, extra_info, &no_javascript_access);
    if (refused) {
        DiscardPausedTarget(target_id, session_id);
        return;
    }
    BrowserImpl::Create(window_info, client, std::string(), target_id, session_id, true);
    ReleaseDocuments(target_id, true);
}

}  // namespace cef_standin
