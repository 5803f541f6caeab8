#include "view_client.h"

#include <chrono>
#include <cwctype>

void ViewClient::Add(const std::string& kind, const std::string& text) {
    std::lock_guard<std::mutex> lock(mutex_);
    texts_.emplace_back(kind, text);
}

std::vector<std::string> ViewClient::Texts(const std::string& kind) {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::string> out;
    for (const auto& entry : texts_) {
        if (entry.first == kind) out.push_back(entry.second);
    }
    return out;
}

std::vector<KeyRecord> ViewClient::Keys() {
    std::lock_guard<std::mutex> lock(mutex_);
    return keys_;
}

void ViewClient::Forget() {
    std::lock_guard<std::mutex> lock(mutex_);
    texts_.clear();
    keys_.clear();
}

bool ViewClient::WaitUntil(const std::function<bool()>& done, double seconds) {
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(static_cast<int>(seconds * 1000));
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    return true;
}

bool ViewClient::WaitForText(const std::string& kind, const std::string& fragment, double seconds) {
    return WaitUntil(
        [&] {
            for (const auto& text : Texts(kind)) {
                if (text.find(fragment) != std::string::npos) return true;
            }
            return false;
        },
        seconds);
}

CefRefPtr<CefBrowser> ViewClient::browser() {
    std::lock_guard<std::mutex> lock(mutex_);
    return browser_;
}

void ViewClient::OnAfterCreated(CefRefPtr<CefBrowser> browser) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!browser_) browser_ = browser;
}

void ViewClient::OnBeforeClose(CefRefPtr<CefBrowser> browser) {
    Add("closed", std::to_string(browser->GetIdentifier()));
    std::lock_guard<std::mutex> lock(mutex_);
    if (browser_ && browser_->IsSame(browser)) browser_ = nullptr;
}

void ViewClient::OnLoadEnd(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame> frame, int) {
    if (frame->IsMain()) Add("load", frame->GetURL().ToString());
}

bool ViewClient::OnBeforeBrowse(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>,
                                CefRefPtr<CefRequest> request, bool, bool) {
    Add("browse", request->GetURL().ToString());
    return false;
}

CefRefPtr<CefResourceRequestHandler> ViewClient::GetResourceRequestHandler(
    CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, CefRefPtr<CefRequest>, bool, bool, const CefString&,
    bool&) {
    return this;
}

CefResourceRequestHandler::ReturnValue ViewClient::OnBeforeResourceLoad(
    CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, CefRefPtr<CefRequest> request,
    CefRefPtr<CefCallback>) {
    Add("request", request->GetURL().ToString());
    return RV_CONTINUE;
}

bool ViewClient::OnPreKeyEvent(CefRefPtr<CefBrowser>, const CefKeyEvent& event, CefEventHandle,
                               bool*) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        keys_.push_back({event.type, event.windows_key_code, true});
    }
    if (consumed_key == 0) return false;
    if (event.type == KEYEVENT_CHAR) {
        return static_cast<int>(towupper(event.character)) == consumed_key;
    }
    return event.windows_key_code == consumed_key;
}

bool ViewClient::OnKeyEvent(CefRefPtr<CefBrowser>, const CefKeyEvent& event, CefEventHandle) {
    std::lock_guard<std::mutex> lock(mutex_);
    keys_.push_back({event.type, event.windows_key_code, false});
    return false;
}

void ViewClient::OnBeforeContextMenu(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>,
                                     CefRefPtr<CefContextMenuParams> params,
                                     CefRefPtr<CefMenuModel> model) {
    std::string labels;
    for (size_t i = 0; i < model->GetCount(); ++i) {
        labels += model->GetLabelAt(i).ToString() + "|";
    }
    Add("menu", labels);
    Add("menu-at", std::to_string(params->GetXCoord()) + "," + std::to_string(params->GetYCoord()) +
                       " " + params->GetLinkUrl().ToString());
    model->Clear();
    for (const auto& item : menu_items) model->AddItem(item.first, item.second);
}

bool ViewClient::OnContextMenuCommand(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>,
                                      CefRefPtr<CefContextMenuParams>, int command_id, EventFlags) {
    Add("command", std::to_string(command_id));
    return true;
}
