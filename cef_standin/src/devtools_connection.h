// One WebSocket connection to the engine's DevTools endpoint.
// Commands are sent from any thread; answers and events are read on the
// connection's own reader thread and handed to callbacks there, so a
// callback must not wait for another answer.
#ifndef CEF_STANDIN_SRC_DEVTOOLS_CONNECTION_H_
#define CEF_STANDIN_SRC_DEVTOOLS_CONNECTION_H_

#include <windows.h>

#include <rapidjson/document.h>

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "websocket_client.h"

namespace cef_standin {

// A parsed DevTools message. |value| is the command's "result" or the
// event's "params" (an empty object when absent).
struct DevToolsMessage {
    std::shared_ptr<rapidjson::Document> document;
    bool ok = false;
    std::string error;

    const rapidjson::Value& value() const;
};

class DevToolsConnection {
  public:
    using ResultCallback = std::function<void(const DevToolsMessage&)>;
    // method, message, session id ("" for the browser session).
    using EventSink =
        std::function<void(const std::string&, const DevToolsMessage&, const std::string&)>;

    DevToolsConnection() = default;
    ~DevToolsConnection();
    DevToolsConnection(const DevToolsConnection&) = delete;
    DevToolsConnection& operator=(const DevToolsConnection&) = delete;

    // Opens ws://127.0.0.1:|port||path| and starts reading.
    bool Open(int port, const std::wstring& path, EventSink sink);
    void Close();

    // Sends a command; |params_json| is an object text ("" for none).
    // |callback| (may be empty) runs on the reader thread with the answer, or
    // with ok false when the connection closes first.
    void SendAsync(const std::string& method, const std::string& params_json,
                   const std::string& session_id, ResultCallback callback);
    // Sends a command and waits for its answer; must not be called on the
    // reader thread.
    DevToolsMessage Send(const std::string& method, const std::string& params_json,
                         const std::string& session_id, DWORD timeout_ms = 15000);

    bool IsReaderThread() const { return std::this_thread::get_id() == reader_.get_id(); }

  private:
    void ReadLoop();
    void Dispatch(const std::string& text);
    void FailPending();

    WebSocketClient socket_;
    bool open_ = false;
    std::thread reader_;
    EventSink sink_;
    std::mutex pending_mutex_;
    std::map<int64_t, ResultCallback> pending_;
    std::atomic<int64_t> next_id_{1};
    std::atomic<bool> closing_{false};
};

}  // namespace cef_standin

#endif  // CEF_STANDIN_SRC_DEVTOOLS_CONNECTION_H_
