// CefFrame in the browser process: one frame of a page target, known by the
// engine's frame id.
#ifndef CEF_STANDIN_SRC_FRAME_IMPL_H_
#define CEF_STANDIN_SRC_FRAME_IMPL_H_

#include <mutex>
#include <string>

#include "include/cef_frame.h"
#include "include/cef_v8.h"

namespace cef_standin {

class BrowserImpl;

class FrameImpl : public CefFrame {
  public:
    FrameImpl(BrowserImpl* browser, int64_t id, std::string engine_id, bool is_main);

    bool IsValid() override;
    void LoadURL(const CefString& url) override;
    void ExecuteJavaScript(const CefString& code, const CefString& script_url,
                           int start_line) override;
    bool IsMain() override { return is_main_; }
    CefString GetName() override;
    int64_t GetIdentifier() override { return id_; }
    CefRefPtr<CefFrame> GetParent() override;
    CefString GetURL() override;
    CefRefPtr<CefBrowser> GetBrowser() override;
    CefRefPtr<CefV8Context> GetV8Context() override { return nullptr; }
    void SendProcessMessage(CefProcessId target_process,
                            CefRefPtr<CefProcessMessage> message) override;

    const std::string& engine_id() const { return engine_id_; }
    void Update(const std::string& url, const std::string& name, const std::string& parent_id);
    std::string parent_engine_id();
    void SetExecutionContext(int context_id);
    // Ends the frame's life; the browser reference goes with it.
    void Invalidate();

    // Load bookkeeping, UI thread only.
    int status = 0;
    bool load_pending = false;

  private:
    std::mutex mutex_;
    CefRefPtr<CefBrowser> browser_;
    BrowserImpl* browser_impl_;
    const int64_t id_;
    const std::string engine_id_;
    const bool is_main_;
    std::string url_;
    std::string name_;
    std::string parent_id_;
    int context_id_ = 0;
    bool valid_ = true;
    IMPLEMENT_REFCOUNTING(FrameImpl);
};

}  // namespace cef_standin

#endif  // CEF_STANDIN_SRC_FRAME_IMPL_H_
