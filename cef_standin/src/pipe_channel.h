// Framed messages (4-byte length, then UTF-8 JSON text) over a pair of
// one-way named pipes between the browser process and the renderer process.
#ifndef CEF_STANDIN_SRC_PIPE_CHANNEL_H_
#define CEF_STANDIN_SRC_PIPE_CHANNEL_H_

#include <windows.h>

#include <mutex>
#include <string>

namespace cef_standin {

class PipeChannel {
  public:
    PipeChannel() = default;
    ~PipeChannel() { Close(); }
    PipeChannel(const PipeChannel&) = delete;
    PipeChannel& operator=(const PipeChannel&) = delete;

    // Browser side: creates the pipes named after |name|.
    bool Create(const std::wstring& name);
    // Browser side: waits up to |timeout_ms| for the renderer to connect.
    bool WaitForPeer(DWORD timeout_ms);
    // Renderer side: connects to the pipes named after |name|.
    bool Connect(const std::wstring& name);

    // Thread-safe; false when the pipe is broken.
    bool Write(const std::string& message);
    // Blocks for the next message; false when the pipe is broken.
    bool Read(std::string& message);
    void Close();

  private:
    HANDLE in_ = INVALID_HANDLE_VALUE;
    HANDLE out_ = INVALID_HANDLE_VALUE;
    std::mutex write_mutex_;
};

}  // namespace cef_standin

#endif  // CEF_STANDIN_SRC_PIPE_CHANNEL_H_
