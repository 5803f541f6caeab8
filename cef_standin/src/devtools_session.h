// A DevTools session of one target (a page) over the shared connection:
// commands with JSON parameters, and subscriptions to the session's events.
// Event handlers run on the connection's reader thread in arrival order.
#ifndef CEF_STANDIN_SRC_DEVTOOLS_SESSION_H_
#define CEF_STANDIN_SRC_DEVTOOLS_SESSION_H_

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "devtools_connection.h"

namespace cef_standin {

class DevToolsSession {
  public:
    using EventHandler = std::function<void(const DevToolsMessage&)>;

    DevToolsSession(DevToolsConnection* connection, std::string session_id, std::string target_id)
        : connection_(connection),
          session_id_(std::move(session_id)),
          target_id_(std::move(target_id)) {}

    const std::string& session_id() const { return session_id_; }
    const std::string& target_id() const { return target_id_; }

    DevToolsMessage Send(const std::string& method, const std::string& params_json = "") {
        return connection_->Send(method, params_json, session_id_);
    }
    void SendAsync(const std::string& method, const std::string& params_json,
                   DevToolsConnection::ResultCallback callback = nullptr) {
        connection_->SendAsync(method, params_json, session_id_, std::move(callback));
    }

    // Calls |handler| for every event |method| (for example
    // "Page.screencastFrame") of this session.
    void Subscribe(const std::string& method, EventHandler handler) {
        std::lock_guard<std::mutex> lock(mutex_);
        handlers_[method].push_back(std::move(handler));
    }

    // Called by the runtime for each event of this session.
    void Deliver(const std::string& method, const DevToolsMessage& message) {
        std::vector<EventHandler> handlers;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            auto it = handlers_.find(method);
            if (it == handlers_.end()) return;
            handlers = it->second;
        }
        for (const auto& handler : handlers) handler(message);
    }

  private:
    DevToolsConnection* const connection_;
    const std::string session_id_;
    const std::string target_id_;
    std::mutex mutex_;
    std::map<std::string, std::vector<EventHandler>> handlers_;
};

}  // namespace cef_standin

#endif  // CEF_STANDIN_SRC_DEVTOOLS_SESSION_H_
