#include "fakes.h"

#include "web_messages.h"

bool FakeRequestContext::SetPreference(const CefString& name, CefRefPtr<CefValue> value,
                                       CefString&) {
    preferences.emplace_back(name.ToString(), value->GetInt());
    return true;
}

void FakeBrowserHost::ShowDevTools(const CefWindowInfo& windowInfo, CefRefPtr<CefClient> client,
                                   const CefBrowserSettings&, const CefPoint& inspect_element_at) {
    ++devToolsShown;
    devToolsOpen = true;
    devTools.parent = windowInfo.parent_window;
    devTools.style = windowInfo.style;
    devTools.windowName = CefString(&windowInfo.window_name).ToWString();
    devTools.client = client;
    devTools.inspectX = inspect_element_at.x;
    devTools.inspectY = inspect_element_at.y;
}

CefRefPtr<FakeBrowser> FakeBrowser::Make(int id, HWND window) {
    CefRefPtr<FakeBrowser> browser(new FakeBrowser);
    browser->id = id;
    browser->host = new FakeBrowserHost(window);
    return browser;
}

CefRefPtr<FakeFrame> FakeFrame::Make(bool main) {
    CefRefPtr<FakeFrame> frame(new FakeFrame);
    frame->main = main;
    return frame;
}

CefRefPtr<FakeRequest> FakeRequest::Make(const std::string& url) {
    CefRefPtr<FakeRequest> request(new FakeRequest);
    request->url = url;
    return request;
}

std::vector<std::pair<std::string, std::string>> FakeRequest::HeaderPairs() const {
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const auto& header : headers) {
        pairs.emplace_back(header.first.ToString(), header.second.ToString());
    }
    return pairs;
}

bool FakeMenuModel::Clear() {
    items.clear();
    return true;
}

bool FakeMenuModel::AddSeparator() {
    items.emplace_back(-1, L"");
    return true;
}

bool FakeMenuModel::AddItem(int command_id, const CefString& label) {
    items.emplace_back(command_id, label.ToWString());
    return true;
}

bool FakeMenuModel::Remove(int command_id) {
    for (auto item = items.begin(); item != items.end(); ++item) {
        if (item->first == command_id) {
            items.erase(item);
            return true;
        }
    }
    return false;
}

int FakeMenuModel::GetCommandIdAt(size_t index) {
    return index < items.size() ? items[index].first : -1;
}

CefString FakeMenuModel::GetLabelAt(size_t index) {
    return index < items.size() ? CefString(items[index].second) : CefString();
}

CefMenuItemType FakeMenuModel::GetTypeAt(size_t index) {
    if (index >= items.size()) {
        return MENUITEMTYPE_NONE;
    }
    return items[index].first == -1 ? MENUITEMTYPE_SEPARATOR : MENUITEMTYPE_COMMAND;
}

void FakeCommandLine::AppendSwitch(const CefString& name) {
    calls.push_back("switch " + name.ToString());
}

void FakeCommandLine::AppendSwitchWithValue(const CefString& name, const CefString& value) {
    calls.push_back("value " + name.ToString() + "=" + value.ToString());
}

CefRefPtr<CefV8Value> FakeV8Value::String(const std::wstring& value) {
    return new FakeV8Value(Kind::kString, 0, value);
}
CefRefPtr<CefV8Value> FakeV8Value::Bool(bool value) {
    return new FakeV8Value(Kind::kBool, value ? 1 : 0, L"");
}
CefRefPtr<CefV8Value> FakeV8Value::Int(int value) {
    return new FakeV8Value(Kind::kInt, value, L"");
}
CefRefPtr<CefV8Value> FakeV8Value::Double(double value) {
    return new FakeV8Value(Kind::kDouble, value, L"");
}
CefRefPtr<CefV8Value> FakeV8Value::Null() { return new FakeV8Value(Kind::kNull, 0, L""); }
CefRefPtr<CefV8Value> FakeV8Value::Undefined() { return new FakeV8Value(Kind::kUndefined, 0, L""); }
CefRefPtr<CefV8Value> FakeV8Value::Object() { return new FakeV8Value(Kind::kObject, 0, L""); }

HostWithChild::HostWithChild() {
    host = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                           nullptr, nullptr);
    child = CreateWindowExW(0, L"STATIC", L"browser", WS_CHILD, 0, 0, 50, 50, host, nullptr,
                            nullptr, nullptr);
}

HostWithChild::~HostWithChild() { Destroy(); }

void HostWithChild::Destroy() {
    if (host != nullptr) {
        TakePostedMessages(host);
        DestroyWindow(host);
    }
    host = nullptr;
    child = nullptr;
}

bool operator==(const PostedMessage& a, const PostedMessage& b) {
    return a.id == b.id && a.lParam == b.lParam && a.text == b.text && a.number == b.number;
}

std::ostream& operator<<(std::ostream& out, const PostedMessage& message) {
    return out << "{" << message.id << ", lParam " << message.lParam << ", \"" << message.text
               << "\", wParam " << message.number << "}";
}

std::vector<PostedMessage> TakePostedMessages(HWND window) {
    std::vector<PostedMessage> taken;
    MSG msg;
    while (PeekMessageW(&msg, window, WM_WEB_LOAD_END, WM_WEB_ORDER_REQUEST, PM_REMOVE)) {
        PostedMessage message{msg.message, msg.lParam, std::string()};
        if (msg.message == WM_WEB_LOAD_END) {
            message.number = msg.wParam;
        } else if (msg.wParam != 0) {
            auto* payload = reinterpret_cast<std::string*>(msg.wParam);
            message.text = *payload;
            delete payload;
        }
        taken.push_back(message);
    }
    return taken;
}

bool CallOnBeforePopup(CefLifeSpanHandler& handler, CefRefPtr<CefBrowser> browser,
                       const std::wstring& url) {
    CefWindowInfo windowInfo;
    CefRefPtr<CefClient> client;
    CefBrowserSettings settings;
    CefRefPtr<CefDictionaryValue> extraInfo;
    bool noJavascriptAccess = false;
    return handler.OnBeforePopup(browser, nullptr, url, L"_blank", WOD_NEW_FOREGROUND_TAB, true,
                                 CefPopupFeatures(), windowInfo, client, settings, extraInfo,
                                 &noJavascriptAccess);
}
