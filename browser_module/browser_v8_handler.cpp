#include "browser_v8_handler.h"

#include "message_handlers.h"

bool CBrowserV8Handler::Execute(const CefString& name, CefRefPtr<CefV8Value>,
                                const CefV8ValueList& arguments, CefRefPtr<CefV8Value>& retval,
                                CefString&) {
    if (messageHandlers.count(name.ToWString()) == 0) {
        return false;
    }
    SendToBrowser(name, arguments);
    retval = CefV8Value::CreateBool(true);
    return true;
}

void CBrowserV8Handler::SendToBrowser(const CefString& name, const CefV8ValueList& arguments) {
    CefRefPtr<CefProcessMessage> message = CefProcessMessage::Create(name);
    ConvertScriptArguments(arguments, message->GetArgumentList());
    CefRefPtr<CefV8Context> context = CefV8Context::GetCurrentContext();
    CefRefPtr<CefFrame> frame = context ? context->GetFrame() : nullptr;
    if (frame) {
        frame->SendProcessMessage(PID_BROWSER, message);
    }
}

void ConvertScriptArguments(const CefV8ValueList& arguments, CefRefPtr<CefListValue> list) {
    list->SetSize(arguments.size());
    for (size_t index = 0; index < arguments.size(); ++index) {
        const CefRefPtr<CefV8Value>& value = arguments[index];
        if (value->IsString()) {
            list->SetString(index, value->GetStringValue());
        } else if (value->IsBool()) {
            list->SetBool(index, value->GetBoolValue());
        } else if (value->IsInt()) {
            list->SetInt(index, value->GetIntValue());
        } else {
            list->SetNull(index);
        }
    }
}
