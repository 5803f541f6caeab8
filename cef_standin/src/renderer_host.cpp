#include "renderer_host.h"

#include <rapidjson/document.h>

#include "browser_impl.h"
#include "json_text.h"
#include "runtime.h"
#include "values.h"

namespace cef_standin {

bool RendererHost::Launch(const std::wstring& program) {
    const std::wstring name = L"cef_standin_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                              std::to_wstring(GetTickCount64());
    if (!channel_.Create(name)) return false;
    std::wstring command = L"\"" + program + L"\" --type=renderer --cef-standin-pipe=" + name;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    process_ = process.hProcess;
    return true;
}

bool RendererHost::Connect() {
    if (!channel_.WaitForPeer(30000)) return false;
    reader_ = std::thread([this] { ReadLoop(); });
    return true;
}

void RendererHost::Stop() {
    channel_.Close();
    if (reader_.joinable()) reader_.join();
    if (process_) {
        // The renderer ends when its pipe closes.
        if (WaitForSingleObject(process_, 10000) != WAIT_OBJECT_0) TerminateProcess(process_, 1);
        CloseHandle(process_);
        process_ = nullptr;
    }
    std::map<int64_t, ReplyCallback> pending;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        pending.swap(pending_);
    }
    for (auto& entry : pending) entry.second(std::string());
}

void RendererHost::Request(const std::string& request_json, ReplyCallback reply) {
    int64_t id = 0;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        id = next_id_++;
        pending_[id] = reply;
    }
    // Insert the id as the first member of the request object.
    if (channel_.Write("{\"id\":" + std::to_string(id) + "," + request_json.substr(1))) return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        pending_.erase(id);
    }
    reply(std::string());
}

void RendererHost::SendMessage(int browser_id, int64_t frame_id,
                               CefRefPtr<CefProcessMessage> message) {
    std::string text = "{\"t\":\"message\",\"b\":" + std::to_string(browser_id) +
                       ",\"f\":" + std::to_string(frame_id) +
                       ",\"n\":" + JsonQuote(message->GetName().ToString()) + ",\"a\":";
    ListToJson(message->GetArgumentList(), text);
    channel_.Write(text + "}");
}

void RendererHost::FrameGone(int64_t frame_id) {
    channel_.Write("{\"t\":\"frame-gone\",\"f\":" + std::to_string(frame_id) + "}");
}

void RendererHost::ReadLoop() {
    std::string text;
    while (channel_.Read(text)) Handle(text);
}

void RendererHost::Handle(const std::string& text) {
    auto document = std::make_shared<rapidjson::Document>();
    document->Parse(text.c_str(), text.size());
    if (document->HasParseError() || !document->IsObject()) return;
    const std::string type = JsonGetString(*document, "t");
    if (type == "reply") {
        ReplyCallback reply;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            auto it = pending_.find(JsonGetInt(*document, "id", 0));
            if (it == pending_.end()) return;
            reply = std::move(it->second);
            pending_.erase(it);
        }
        reply(JsonGetString(*document, "body"));
        return;
    }
    Runtime* runtime = Runtime::Get();
    if (!runtime) return;
    CefRefPtr<BrowserImpl> browser =
        runtime->FindBrowser(static_cast<int>(JsonGetInt(*document, "b", 0)));
    if (!browser) return;
    CefRefPtr<FrameImpl> frame = browser->FindFrame(JsonGetInt(*document, "f", 0));
    if (type == "exec" && frame) {
        frame->ExecuteJavaScript(JsonGetString(*document, "c"), CefString(), 0);
    } else if (type == "message") {
        CefRefPtr<CefProcessMessage> message =
            CefProcessMessage::Create(JsonGetString(*document, "n"));
        auto args = document->FindMember("a");
        if (args != document->MemberEnd()) {
            CefRefPtr<CefListValue> list = ListFromJson(args->value);
            CefRefPtr<CefListValue> target = message->GetArgumentList();
            for (size_t i = 0; i < list->GetSize(); ++i) target->SetValue(i, list->GetValue(i));
            SetListReadOnly(target);
        }
        runtime->ui().Post([browser, frame, message] {
            CefRefPtr<CefClient> client = browser->GetClient();
            if (client)
                client->OnProcessMessageReceived(browser.get(), frame.get(), PID_RENDERER, message);
        });
    }
}

}  // namespace cef_standin
