// A minimal WebSocket client (RFC 6455) over a loopback Winsock connection:
// text messages out (masked), whole messages in. WinHTTP's WebSocket API
// under Wine 8 loses and repeats messages when many arrive together, so the
// DevTools connection speaks the protocol itself.
#ifndef CEF_STANDIN_SRC_WEBSOCKET_CLIENT_H_
#define CEF_STANDIN_SRC_WEBSOCKET_CLIENT_H_

#include <winsock2.h>

#include <mutex>
#include <string>

namespace cef_standin {

class WebSocketClient {
  public:
    WebSocketClient() = default;
    ~WebSocketClient() { Close(); }
    WebSocketClient(const WebSocketClient&) = delete;
    WebSocketClient& operator=(const WebSocketClient&) = delete;

    // Connects to ws://127.0.0.1:|port||path|.
    bool Open(int port, const std::string& path);
    // Thread-safe.
    bool SendText(const std::string& text);
    // Blocks for the next text message; false once the connection is closed.
    bool Receive(std::string& message);
    // Ends the connection; a blocked Receive returns false.
    void Close();

  private:
    bool ReadExact(char* data, size_t size);
    bool SendFrame(int opcode, const std::string& payload);

    SOCKET socket_ = INVALID_SOCKET;
    std::string buffered_;  // bytes read past the handshake
    std::mutex send_mutex_;
};

}  // namespace cef_standin

#endif  // CEF_STANDIN_SRC_WEBSOCKET_CLIENT_H_
