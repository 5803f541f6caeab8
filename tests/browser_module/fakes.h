#pragma once

#include <windows.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "include/cef_browser.h"
#include "include/cef_client.h"
#include "include/cef_command_line.h"
#include "include/cef_frame.h"
#include "include/cef_life_span_handler.h"
#include "include/cef_menu_model.h"
#include "include/cef_request.h"
#include "include/cef_request_context.h"
#include "include/cef_v8.h"

// Records the preferences set on it.
class FakeRequestContext : public CefRequestContext {
  public:
    bool SetPreference(const CefString& name, CefRefPtr<CefValue> value, CefString& error) override;

    std::vector<std::pair<std::string, int>> preferences;

  private:
    IMPLEMENT_REFCOUNTING(FakeRequestContext);
};

// A browser host whose own window is a given real window; records the
// developer-tools windows it is asked to show.
class FakeBrowserHost : public CefBrowserHost {
  public:
    struct DevToolsRequest {
        HWND parent = nullptr;
        DWORD style = 0;
        std::wstring windowName;
        CefRefPtr<CefClient> client;
        int inspectX = -1;
        int inspectY = -1;
    };

    explicit FakeBrowserHost(HWND window) : window(window), context(new FakeRequestContext) {}

    CefRefPtr<CefBrowser> GetBrowser() override { return nullptr; }
    void CloseBrowser(bool) override {}
    CefWindowHandle GetWindowHandle() override { return window; }
    CefRefPtr<CefClient> GetClient() override { return nullptr; }
    CefRefPtr<CefRequestContext> GetRequestContext() override { return context; }
    void ShowDevTools(const CefWindowInfo& windowInfo, CefRefPtr<CefClient> client,
                      const CefBrowserSettings& settings,
                      const CefPoint& inspect_element_at) override;
    void CloseDevTools() override { devToolsOpen = false; }
    bool HasDevTools() override { return devToolsOpen; }

    HWND window;
    CefRefPtr<FakeRequestContext> context;
    int devToolsShown = 0;
    bool devToolsOpen = false;
    DevToolsRequest devTools;

  private:
    IMPLEMENT_REFCOUNTING(FakeBrowserHost);
};

class FakeBrowser : public CefBrowser {
  public:
    // A browser with the given identifier whose own window is window.
    static CefRefPtr<FakeBrowser> Make(int id, HWND window);

    bool IsValid() override { return true; }
    CefRefPtr<CefBrowserHost> GetHost() override { return host; }
    int GetIdentifier() override { return id; }
    bool IsSame(CefRefPtr<CefBrowser> that) override { return that.get() == this; }
    bool IsPopup() override { return false; }
    CefRefPtr<CefFrame> GetMainFrame() override { return nullptr; }

    int id = 0;
    CefRefPtr<FakeBrowserHost> host;

  private:
    IMPLEMENT_REFCOUNTING(FakeBrowser);
};

class FakeFrame : public CefFrame {
  public:
    static CefRefPtr<FakeFrame> Make(bool main);

    bool IsValid() override { return true; }
    void LoadURL(const CefString&) override {}
    void ExecuteJavaScript(const CefString&, const CefString&, int) override {}
    bool IsMain() override { return main; }
    CefString GetName() override { return CefString(); }
    int64_t GetIdentifier() override { return main ? 1 : 2; }
    CefRefPtr<CefFrame> GetParent() override { return nullptr; }
    CefString GetURL() override { return CefString(); }
    CefRefPtr<CefBrowser> GetBrowser() override { return nullptr; }
    CefRefPtr<CefV8Context> GetV8Context() override { return nullptr; }
    void SendProcessMessage(CefProcessId, CefRefPtr<CefProcessMessage>) override {}

    bool main = true;

  private:
    IMPLEMENT_REFCOUNTING(FakeFrame);
};

class FakeRequest : public CefRequest {
  public:
    static CefRefPtr<FakeRequest> Make(const std::string& url);

    bool IsReadOnly() override { return false; }
    CefString GetURL() override { return url; }
    void SetURL(const CefString& value) override { url = value; }
    CefString GetMethod() override { return "GET"; }
    void SetMethod(const CefString&) override {}
    void GetHeaderMap(HeaderMap& headerMap) override { headerMap = headers; }
    void SetHeaderMap(const HeaderMap& headerMap) override { headers = headerMap; }
    CefString GetHeaderByName(const CefString&) override { return CefString(); }
    void SetHeaderByName(const CefString&, const CefString&, bool) override {}
    ResourceType GetResourceType() override { return ResourceType(); }
    uint64_t GetIdentifier() override { return 1; }

    // The header map as UTF-8 name-value pairs.
    std::vector<std::pair<std::string, std::string>> HeaderPairs() const;

    CefString url;
    HeaderMap headers;

  private:
    IMPLEMENT_REFCOUNTING(FakeRequest);
};

class FakeMenuModel : public CefMenuModel {
  public:
    static CefRefPtr<FakeMenuModel> Make() { return new FakeMenuModel; }

    bool Clear() override;
    size_t GetCount() override { return items.size(); }
    bool AddSeparator() override;
    bool AddItem(int command_id, const CefString& label) override;
    bool Remove(int command_id) override;
    int GetCommandIdAt(size_t index) override;
    CefString GetLabelAt(size_t index) override;
    CefMenuItemType GetTypeAt(size_t index) override;

    // Command identifier and label of each item; separators have identifier -1.
    std::vector<std::pair<int, std::wstring>> items;

  private:
    IMPLEMENT_REFCOUNTING(FakeMenuModel);
};

// Records the switches appended to it, as "switch NAME" or "value NAME=VALUE".
class FakeCommandLine : public CefCommandLine {
  public:
    static CefRefPtr<FakeCommandLine> Make() { return new FakeCommandLine; }

    bool IsValid() override { return true; }
    bool IsReadOnly() override { return false; }
    void InitFromString(const CefString&) override {}
    CefString GetCommandLineString() override { return CefString(); }
    CefString GetProgram() override { return CefString(); }
    bool HasSwitches() override { return !calls.empty(); }
    bool HasSwitch(const CefString&) override { return false; }
    CefString GetSwitchValue(const CefString&) override { return CefString(); }
    void GetSwitches(SwitchMap&) override {}
    void AppendSwitch(const CefString& name) override;
    void AppendSwitchWithValue(const CefString& name, const CefString& value) override;
    void GetArguments(ArgumentList&) override {}
    void AppendArgument(const CefString&) override {}

    std::vector<std::string> calls;

  private:
    IMPLEMENT_REFCOUNTING(FakeCommandLine);
};

// A script value of one kind, answering the type questions as the engine does.
class FakeV8Value : public CefV8Value {
  public:
    static CefRefPtr<CefV8Value> String(const std::wstring& value);
    static CefRefPtr<CefV8Value> Bool(bool value);
    static CefRefPtr<CefV8Value> Int(int value);
    static CefRefPtr<CefV8Value> Double(double value);
    static CefRefPtr<CefV8Value> Null();
    static CefRefPtr<CefV8Value> Undefined();
    static CefRefPtr<CefV8Value> Object();

    bool IsValid() override { return true; }
    bool IsUndefined() override { return kind == Kind::kUndefined; }
    bool IsNull() override { return kind == Kind::kNull; }
    bool IsBool() override { return kind == Kind::kBool; }
    bool IsInt() override { return kind == Kind::kInt; }
    bool IsUInt() override { return kind == Kind::kInt && number >= 0; }
    bool IsDouble() override { return kind == Kind::kInt || kind == Kind::kDouble; }
    bool IsString() override { return kind == Kind::kString; }
    bool IsObject() override { return kind == Kind::kObject; }
    bool IsArray() override { return false; }
    bool IsFunction() override { return false; }
    bool GetBoolValue() override { return number != 0; }
    int32_t GetIntValue() override { return static_cast<int32_t>(number); }
    uint32_t GetUIntValue() override { return static_cast<uint32_t>(number); }
    double GetDoubleValue() override { return number; }
    CefString GetStringValue() override { return text; }
    bool HasValue(const CefString&) override { return false; }
    CefRefPtr<CefV8Value> GetValue(const CefString&) override { return nullptr; }
    bool SetValue(const CefString&, CefRefPtr<CefV8Value>, PropertyAttribute) override {
        return false;
    }
    bool GetKeys(std::vector<CefString>&) override { return false; }
    int GetArrayLength() override { return 0; }
    CefRefPtr<CefV8Value> GetValue(int) override { return nullptr; }
    CefString GetFunctionName() override { return CefString(); }
    CefRefPtr<CefV8Handler> GetFunctionHandler() override { return nullptr; }

  private:
    enum class Kind { kUndefined, kNull, kBool, kInt, kDouble, kString, kObject };
    FakeV8Value(Kind kind, double number, std::wstring text)
        : kind(kind), number(number), text(std::move(text)) {}

    Kind kind;
    double number;
    std::wstring text;

    IMPLEMENT_REFCOUNTING(FakeV8Value);
};

// A hidden top-level window (the host) with one child (a browser's own window).
struct HostWithChild {
    HostWithChild();
    ~HostWithChild();
    HostWithChild(const HostWithChild&) = delete;
    HostWithChild& operator=(const HostWithChild&) = delete;
    void Destroy();

    HWND host = nullptr;
    HWND child = nullptr;
};

// A host message taken from the queue: text is the payload's copy for the
// messages that carry one, number the wParam of the others.
struct PostedMessage {
    UINT id;
    LPARAM lParam;
    std::string text;
    WPARAM number = 0;
};
bool operator==(const PostedMessage& a, const PostedMessage& b);
std::ostream& operator<<(std::ostream& out, const PostedMessage& message);

// Takes every host message waiting for window; payloads are deleted.
std::vector<PostedMessage> TakePostedMessages(HWND window);

// OnBeforePopup of handler for a new window on url, with the other arguments
// at neutral values.
bool CallOnBeforePopup(CefLifeSpanHandler& handler, CefRefPtr<CefBrowser> browser,
                       const std::wstring& url);
