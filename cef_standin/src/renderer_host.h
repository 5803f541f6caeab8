// Browser side of the renderer process: starts it from the host executable,
// announces new script contexts to it, forwards page calls of native
// functions, and takes the process messages it sends.
#ifndef CEF_STANDIN_SRC_RENDERER_HOST_H_
#define CEF_STANDIN_SRC_RENDERER_HOST_H_

#include <windows.h>

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>

#include "include/cef_process_message.h"
#include "pipe_channel.h"

namespace cef_standin {

class RendererHost {
  public:
    // Answer text for the page; empty when the renderer is gone.
    using ReplyCallback = std::function<void(const std::string&)>;

    RendererHost() = default;
    ~RendererHost() { Stop(); }
    RendererHost(const RendererHost&) = delete;
    RendererHost& operator=(const RendererHost&) = delete;

    // Starts |program| (the host executable unless set) as the renderer.
    bool Launch(const std::wstring& program);
    // Waits for the renderer started by Launch to take its pipe.
    bool Connect();
    // Ends the renderer process and waits for it.
    void Stop();

    // |request_json| is a message object without its "id"; |reply| runs on
    // the reader thread with the renderer's answer.
    void Request(const std::string& request_json, ReplyCallback reply);
    void SendMessage(int browser_id, int64_t frame_id, CefRefPtr<CefProcessMessage> message);
    void FrameGone(int64_t frame_id);

  private:
    void ReadLoop();
    void Handle(const std::string& text);

    PipeChannel channel_;
    HANDLE process_ = nullptr;
    std::thread reader_;
    std::mutex mutex_;
    std::map<int64_t, ReplyCallback> pending_;
    int64_t next_id_ = 1;
};

}  // namespace cef_standin

#endif  // CEF_STANDIN_SRC_RENDERER_HOST_H_
