// CefBrowser and CefBrowserHost in the browser process: one page target of
// the engine shown in one window.
#ifndef CEF_STANDIN_SRC_BROWSER_IMPL_H_
#define CEF_STANDIN_SRC_BROWSER_IMPL_H_

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "browser_view.h"
#include "devtools_session.h"
#include "frame_impl.h"
#include "include/cef_browser.h"
#include "include/cef_client.h"

namespace cef_standin {

class BrowserImpl : public CefBrowser, public CefBrowserHost {
  public:
    // UI thread: makes the window of |window_info| and attaches to the page
    // target |target_id|/|session_id| (paused before its first load), then
    // reports OnAfterCreated and, unless |url| is empty, loads |url|.
    static CefRefPtr<BrowserImpl> Create(const CefWindowInfo& window_info,
                                         CefRefPtr<CefClient> client, const std::string& url,
                                         const std::string& target_id,
                                         const std::string& session_id, bool is_popup);

    // Loads |url| in the frame |frame_id|; asked before the page has started,
    // it replaces the first load.
    void Navigate(const std::string& url, const std::string& frame_id);

    // CefBrowser
    bool IsValid() override;
    CefRefPtr<CefBrowserHost> GetHost() override { return this; }
    int GetIdentifier() override { return id_; }
    bool IsSame(CefRefPtr<CefBrowser> that) override { return that.get() == this; }
    bool IsPopup() override { return is_popup_; }
    CefRefPtr<CefFrame> GetMainFrame() override;

    // CefBrowserHost
    CefRefPtr<CefBrowser> GetBrowser() override { return this; }
    void CloseBrowser(bool force_close) override;
    CefWindowHandle GetWindowHandle() override { return window_; }
    CefRefPtr<CefClient> GetClient() override { return client_; }
    CefRefPtr<CefRequestContext> GetRequestContext() override;
    void ShowDevTools(const CefWindowInfo& windowInfo, CefRefPtr<CefClient> client,
                      const CefBrowserSettings& settings,
                      const CefPoint& inspect_element_at) override;
    void CloseDevTools() override;
    bool HasDevTools() override;

    // For the runtime and the view.
    DevToolsSession& session() { return *session_; }
    const std::string& target_id() const { return session_->target_id(); }
    BrowserView* view() { return view_.get(); }
    // The frame with engine id |engine_id|, made when first seen.
    CefRefPtr<FrameImpl> FrameFor(const std::string& engine_id);
    CefRefPtr<FrameImpl> FindFrame(int64_t id);

    // Window procedure hooks (browser_window.cpp), UI thread.
    void OnWindowResized(int width, int height);
    void OnWindowDestroyed();
    // The engine dropped the page target (closed), UI thread.
    void OnTargetGone();

  private:
    BrowserImpl(int id, CefRefPtr<CefClient> client, bool is_popup);
    bool Attach(const std::string& target_id, const std::string& session_id);
    // Reader thread: the page runs; its first load goes.
    void OnStarted();
    // Under mutex_.
    void SendNavigate(const std::string& url, const std::string& frame_id);
    void Subscribe();
    void OnRequestPaused(const DevToolsMessage& message);
    void ReserveRequest(const std::string& request_id, const std::string& kind,
                        const std::string& body, CefRefPtr<FrameImpl> frame);
    void ResourceStage(const std::string& request_id, CefRefPtr<FrameImpl> frame,
                       CefRefPtr<class RequestImpl> request, bool is_navigation);
    void OnFrameNavigated(const rapidjson::Value& frame);
    void OnFrameStoppedLoading(const std::string& frame_id);
    void OnFrameDetached(const std::string& frame_id);
    void OnLoadFailed(const std::string& frame_id, const std::string& error, bool canceled,
                      const std::string& url);
    void Finish();

    const int id_;
    const CefRefPtr<CefClient> client_;
    const bool is_popup_;
    HWND window_ = nullptr;
    std::unique_ptr<DevToolsSession> session_;
    std::unique_ptr<BrowserView> view_;

    std::mutex mutex_;
    std::map<std::string, CefRefPtr<FrameImpl>> frames_;
    // Document requests in flight: network request id -> frame id and URL.
    std::map<std::string, std::pair<std::string, std::string>> document_frames_;
    CefRefPtr<BrowserImpl> devtools_;
    // The page waits until resumed; then its first load, the last one asked.
    bool started_ = false;
    std::string first_url_;
    bool closing_ = false;
    bool closed_ = false;
    bool window_gone_ = false;
    IMPLEMENT_REFCOUNTING(BrowserImpl);
};

}  // namespace cef_standin

#endif  // CEF_STANDIN_SRC_BROWSER_IMPL_H_
