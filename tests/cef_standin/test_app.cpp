#include "test_app.h"

#include <windows.h>

#include <string>

const char* const kTestSwitches[] = {"no-proxy-server", "--disable-web-security",
                                     "--autoplay-policy=no-user-gesture-required"};
const size_t kTestSwitchCount = sizeof(kTestSwitches) / sizeof(kTestSwitches[0]);

namespace {

// "s:abc", "b:1", "i:7", "d:1.5", "n", "u", "o:a,b", "a:2", "f".
std::string Describe(CefRefPtr<CefV8Value> value) {
    if (value->IsString()) return "s:" + value->GetStringValue().ToString();
    if (value->IsBool()) return value->GetBoolValue() ? "b:1" : "b:0";
    if (value->IsInt()) return "i:" + std::to_string(value->GetIntValue());
    if (value->IsDouble()) {
        std::string text = std::to_string(value->GetDoubleValue());
        text.erase(text.find_last_not_of('0') + 1);
        return "d:" + text;
    }
    if (value->IsNull()) return "n";
    if (value->IsUndefined()) return "u";
    if (value->IsFunction()) return "f";
    if (value->IsArray()) return "a:" + std::to_string(value->GetArrayLength());
    std::vector<CefString> keys;
    value->GetKeys(keys);
    std::string text = "o:";
    for (size_t i = 0; i < keys.size(); ++i) text += (i ? "," : "") + keys[i].ToString();
    return text;
}

// echo(...): describes its arguments; pid(): this process's id; send(name,
// ...): a process message to the browser process; object(): an object
// (not a plain value); fail(): throws.
class TestHandler : public CefV8Handler {
  public:
    bool Execute(const CefString& name, CefRefPtr<CefV8Value> object,
                 const CefV8ValueList& arguments, CefRefPtr<CefV8Value>& retval,
                 CefString& exception) override {
        if (name == "echo") {
            std::string text;
            for (size_t i = 0; i < arguments.size(); ++i) {
                text += (i ? "|" : "") + Describe(arguments[i]);
            }
            retval = CefV8Value::CreateString(text + (object->HasValue("flag") ? "|this" : ""));
            return true;
        }
        if (name == "pid") {
            retval = CefV8Value::CreateInt(static_cast<int>(GetCurrentProcessId()));
            return true;
        }
        if (name == "send") {
            if (arguments.empty()) return false;
            CefRefPtr<CefProcessMessage> message =
                CefProcessMessage::Create(arguments[0]->GetStringValue());
            CefRefPtr<CefListValue> list = message->GetArgumentList();
            list->SetSize(arguments.size() - 1);
            for (size_t i = 1; i < arguments.size(); ++i) {
                CefRefPtr<CefV8Value> arg = arguments[i];
                if (arg->IsString())
                    list->SetString(i - 1, arg->GetStringValue());
                else if (arg->IsBool())
                    list->SetBool(i - 1, arg->GetBoolValue());
                else if (arg->IsInt())
                    list->SetInt(i - 1, arg->GetIntValue());
                else if (arg->IsDouble())
                    list->SetDouble(i - 1, arg->GetDoubleValue());
                else
                    list->SetNull(i - 1);
            }
            CefV8Context::GetCurrentContext()->GetFrame()->SendProcessMessage(PID_BROWSER, message);
            retval = CefV8Value::CreateBool(true);
            return true;
        }
        if (name == "object") {
            retval = CefV8Value::CreateObject(nullptr, nullptr);
            return true;
        }
        if (name == "fail") {
            exception = "refused by the handler";
            return true;
        }
        return false;
    }

  private:
    IMPLEMENT_REFCOUNTING(TestHandler);
};

}  // namespace

void TestApp::OnBeforeCommandLineProcessing(const CefString&,
                                            CefRefPtr<CefCommandLine> command_line) {
    for (size_t i = 0; i < kTestSwitchCount; ++i) {
        std::string sw = kTestSwitches[i];
        size_t eq = sw.find('=');
        if (eq == std::string::npos)
            command_line->AppendSwitch(sw);
        else
            command_line->AppendSwitchWithValue(sw.substr(0, eq), sw.substr(eq + 1));
    }
}

void TestApp::OnContextCreated(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                               CefRefPtr<CefV8Context> context) {
    CefRefPtr<CefV8Value> object = CefV8Value::CreateObject(nullptr, nullptr);
    context->GetGlobal()->SetValue("cefTest", object, V8_PROPERTY_ATTRIBUTE_NONE);
    for (const char* name : {"echo", "pid", "send", "object", "fail"}) {
        object->SetValue(name, CefV8Value::CreateFunction(name, new TestHandler()),
                         V8_PROPERTY_ATTRIBUTE_NONE);
    }
    object->SetValue("flag", CefV8Value::CreateBool(true), V8_PROPERTY_ATTRIBUTE_NONE);
    object->SetValue("label", CefV8Value::CreateString("标签"), V8_PROPERTY_ATTRIBUTE_READONLY);
    CefRefPtr<CefV8Value> nested = CefV8Value::CreateObject(nullptr, nullptr);
    nested->SetValue("depth", CefV8Value::CreateInt(2), V8_PROPERTY_ATTRIBUTE_NONE);
    object->SetValue("nested", nested, V8_PROPERTY_ATTRIBUTE_NONE);

    // Tell the browser process where this context lives.
    CefRefPtr<CefProcessMessage> message = CefProcessMessage::Create("ContextCreated");
    CefRefPtr<CefListValue> args = message->GetArgumentList();
    args->SetBool(0, frame->IsMain());
    args->SetInt(1, static_cast<int>(GetCurrentProcessId()));
    args->SetInt(2, browser->GetIdentifier());
    args->SetString(3, frame->GetURL());
    frame->SendProcessMessage(PID_BROWSER, message);
}
