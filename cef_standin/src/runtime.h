// Process-wide state of the runtime in the browser process: the engine,
// its DevTools connection, the UI and IO threads, the renderer process and
// the live browsers.
#ifndef CEF_STANDIN_SRC_RUNTIME_H_
#define CEF_STANDIN_SRC_RUNTIME_H_

#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "devtools_connection.h"
#include "engine_process.h"
#include "include/cef_app.h"
#include "include/cef_client.h"
#include "renderer_host.h"
#include "task_thread.h"

namespace cef_standin {

class BrowserImpl;

// What a page's request for a new window carried (Page.windowOpen).
struct WindowOpenRequest {
    std::string url;
    std::string name;
    bool user_gesture = false;
};

class Runtime {
  public:
    // The running runtime, or null before CefInitialize and after CefShutdown.
    static Runtime* Get();

    static bool Initialize(const CefMainArgs& args, const CefSettings& settings,
                           CefRefPtr<CefApp> app);
    static void Shutdown();

    TaskThread& ui() { return ui_; }
    TaskThread& io() { return io_; }
    DevToolsConnection& connection() { return connection_; }
    RendererHost& renderer() { return renderer_; }
    const EngineEndpoint& endpoint() const { return endpoint_; }
    const std::string& user_agent() const { return user_agent_; }
    const std::string& accept_language() const { return accept_language_; }

    int NextBrowserId();
    int64_t NextFrameId();
    void AddBrowser(CefRefPtr<BrowserImpl> browser);
    void RemoveBrowser(int id);
    CefRefPtr<BrowserImpl> FindBrowser(int id);

    // Creates a page target for a new browser; returns its target and
    // session ids (paused before its first load) or false.
    bool CreateTarget(std::string& target_id, std::string& session_id);

    // A page of |opener| asked for a new window; matched with the target
    // that the engine creates for it.
    void QueueWindowOpen(int opener, const WindowOpenRequest& request);

  private:
    Runtime();
    bool Start(const CefSettings& settings, CefRefPtr<CefApp> app);
    // UI thread: waits for the engine and the renderer, then connects.
    bool Connect();
    void Stop();
    void OnEvent(const std::string& method, const DevToolsMessage& message,
                 const std::string& session_id);
    void OnAttached(const DevToolsMessage& message);
    // Closes a new page target, paused before its first load, that no browser
    // takes, without letting that load reach the network.
    void DiscardPausedTarget(const std::string& target_id, const std::string& session_id);
    // Reader thread: a document request paused engine-wide.
    void OnDocumentPaused(const DevToolsMessage& message);
    // Lets the held document requests of |target_id| go on, or fails them.
    void ReleaseDocuments(const std::string& target_id, bool go_on);
    void AnswerDocument(const std::string& request_id, bool go_on);
    // UI thread: a new page target that no CreateTarget claimed is a popup
    // of |opener| or of the page that asked for a window last; else closed.
    void AdoptNewTarget(const std::string& target_id, const std::string& opener_id,
                        const std::string& url);
    CefRefPtr<BrowserImpl> FindBySession(const std::string& session_id);

    TaskThread ui_{TaskThread::Kind::kUi};
    TaskThread io_{TaskThread::Kind::kIo};
    EngineProcess engine_;
    EngineEndpoint endpoint_;
    DevToolsConnection connection_;
    RendererHost renderer_;
    std::wstring temporary_profile_;
    std::string user_agent_;
    std::string accept_language_;

    std::mutex mutex_;
    std::condition_variable attached_changed_;
    std::map<int, CefRefPtr<BrowserImpl>> browsers_;
    std::map<std::string, std::string> unclaimed_;  // new target id -> session id
    // Document requests of unclaimed targets, held until the target is taken
    // or refused; targets refused, whose documents never load.
    std::map<std::string, std::vector<std::string>> held_documents_;
    std::set<std::string> refused_targets_;
    std::deque<std::pair<int, WindowOpenRequest>> window_opens_;
    int next_browser_id_ = 1;
    int64_t next_frame_id_ = 1;
};

}  // namespace cef_standin

#endif  // CEF_STANDIN_SRC_RUNTIME_H_
