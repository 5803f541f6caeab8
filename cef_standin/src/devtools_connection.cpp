#include "devtools_connection.h"

#include <future>
#include <vector>

#include "json_text.h"

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
    session_ = WinHttpOpen(L"cef-standin", WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME,
                           WINHTTP_NO_PROXY_BYPASS, 0);
    if (!session_) return false;
    connect_ = WinHttpConnect(session_, L"127.0.0.1", static_cast<INTERNET_PORT>(port), 0);
    if (!connect_) return false;
    HINTERNET request = WinHttpOpenRequest(connect_, L"GET", path.c_str(), nullptr,
                                           WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES, 0);
    if (!request) return false;
    bool upgraded =
        WinHttpSetOption(request, WINHTTP_OPTION_UPGRADE_TO_WEB_SOCKET, nullptr, 0) &&
        WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, nullptr, 0, 0, 0) &&
        WinHttpReceiveResponse(request, nullptr);
    if (upgraded) socket_ = WinHttpWebSocketCompleteUpgrade(request, 0);
    WinHttpCloseHandle(request);
    if (!socket_) return false;
    reader_ = std::thread([this] { ReadLoop(); });
    return true;
}

void DevToolsConnection::Close() {
    closing_ = true;
    if (socket_) {
        WinHttpWebSocketClose(socket_, WINHTTP_WEB_SOCKET_SUCCESS_CLOSE_STATUS, nullptr, 0);
    }
    if (reader_.joinable()) {
        if (IsReaderThread())
            reader_.detach();
        else
            reader_.join();
    }
    FailPending();
    for (HINTERNET* handle : {&socket_, &connect_, &session_}) {
        if (*handle) WinHttpCloseHandle(*handle);
        *handle = nullptr;
    }
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
    DWORD error = ERROR_INVALID_HANDLE;
    if (socket_ && !closing_) {
        std::lock_guard<std::mutex> lock(send_mutex_);
        error = WinHttpWebSocketSend(socket_, WINHTTP_WEB_SOCKET_UTF8_MESSAGE_BUFFER_TYPE,
                                     text.data(), static_cast<DWORD>(text.size()));
    }
    if (error == NO_ERROR) return;
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
    std::vector<char> message;
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        DWORD read = 0;
        WINHTTP_WEB_SOCKET_BUFFER_TYPE type;
        DWORD error = WinHttpWebSocketReceive(socket_, buffer.data(),
                                              static_cast<DWORD>(buffer.size()), &read, &type);
        if (error != NO_ERROR || type == WINHTTP_WEB_SOCKET_CLOSE_BUFFER_TYPE) break;
        message.insert(message.end(), buffer.begin(), buffer.begin() + read);
        if (type == WINHTTP_WEB_SOCKET_UTF8_FRAGMENT_BUFFER_TYPE ||
            type == WINHTTP_WEB_SOCKET_BINARY_FRAGMENT_BUFFER_TYPE) {
            continue;
        }
        Dispatch(message.data(), message.size());
        message.clear();
    }
    FailPending();
}

void DevToolsConnection::Dispatch(const char* text, size_t size) {
    DevToolsMessage message;
    message.document = std::make_shared<rapidjson::Document>();
    message.document->Parse(text, size);
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
