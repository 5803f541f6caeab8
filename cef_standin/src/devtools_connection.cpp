#include "devtools_connection.h"

#include <future>
#include <vector>

#include "json_text.h"
#include "wide_text.h"

namespace cef_standin {

const rapidjson::Value& DevToolsMessage::value() const {
    static const rapidjson::Value kEmpty(rapidjson::kObjectType);
    if (!document || !document->IsObject()) return kEmpty;
    for (const char* name : {"result", "params"}) {
        auto it = document->FindMember(name);
        if (it != document->MemberEnd()) return it->value;
    }
    return kEmpty;
}

DevToolsConnection::~DevToolsConnection() { Close(); }

bool DevToolsConnection::Open(int port, const std::wstring& path, EventSink sink) {
    sink_ = std::move(sink);
    if (!socket_.Open(port, WideToUtf8(path))) return false;
    open_ = true;
    reader_ = std::thread([this] { ReadLoop(); });
    return true;
}

void DevToolsConnection::Close() {
    closing_ = true;
    socket_.Close();
    if (reader_.joinable()) {
        if (IsReaderThread())
            reader_.detach();
        else
            reader_.join();
    }
    FailPending();
}

void DevToolsConnection::SendAsync(const std::string& method, const std::string& params_json,
                                   const std::string& session_id, ResultCallback callback) {
    const int64_t id = next_id_++;
    std::string text = "{\"id\":" + std::to_string(id) + ",\"method\":" + JsonQuote(method);
    if (!params_json.empty()) text += ",\"params\":" + params_json;
    if (!session_id.empty()) text += ",\"sessionId\":" + JsonQuote(session_id);
    text += "}";
    {
        std::lock_guard<std::mutex> lock(pending_mutex_);
        pending_[id] = std::move(callback);
    }
    if (open_ && !closing_ && socket_.SendText(text)) return;
    ResultCallback failed;
    {
        std::lock_guard<std::mutex> lock(pending_mutex_);
        auto it = pending_.find(id);
        if (it == pending_.end()) return;
        failed = std::move(it->second);
        pending_.erase(it);
    }
    if (failed) failed(DevToolsMessage{nullptr, false, "connection closed"});
}

DevToolsMessage DevToolsConnection::Send(const std::string& method, const std::string& params_json,
                                         const std::string& session_id, DWORD timeout_ms) {
    auto answer = std::make_shared<std::promise<DevToolsMessage>>();
    std::future<DevToolsMessage> result = answer->get_future();
    SendAsync(method, params_json, session_id,
              [answer](const DevToolsMessage& message) { answer->set_value(message); });
    if (result.wait_for(std::chrono::milliseconds(timeout_ms)) != std::future_status::ready) {
        return DevToolsMessage{nullptr, false, "timed out"};
    }
    return result.get();
}

void DevToolsConnection::ReadLoop() {
    std::string message;
    while (socket_.Receive(message)) Dispatch(message);
    FailPending();
}

void DevToolsConnection::Dispatch(const std::string& text) {
    DevToolsMessage message;
    message.document = std::make_shared<rapidjson::Document>();
    message.document->Parse(text.c_str(), text.size());
    if (message.document->HasParseError() || !message.document->IsObject()) return;
    const rapidjson::Value& root = *message.document;
    const int64_t id = JsonGetInt(root, "id", -1);
    if (id < 0) {
        message.ok = true;
        if (sink_) sink_(JsonGetString(root, "method"), message, JsonGetString(root, "sessionId"));
        return;
    }
    auto error = root.FindMember("error");
    message.ok = error == root.MemberEnd();
    if (!message.ok) message.error = JsonGetString(error->value, "message");
    ResultCallback callback;
    {
        std::lock_guard<std::mutex> lock(pending_mutex_);
        auto it = pending_.find(id);
        if (it == pending_.end()) return;
        callback = std::move(it->second);
        pending_.erase(it);
    }
    if (callback) callback(message);
}

void DevToolsConnection::FailPending() {
    std::map<int64_t, ResultCallback> pending;
    {
        std::lock_guard<std::mutex> lock(pending_mutex_);
        pending.swap(pending_);
    }
    for (auto& entry : pending) {
        if (entry.second) entry.second(DevToolsMessage{nullptr, false, "connection closed"});
    }
}

}  // namespace cef_standin
