#include "cef_app_handler.h"

#include "browser_v8_handler.h"
#include "message_handlers.h"

void CefAppHandler::OnBeforeCommandLineProcessing(const CefString&,
                                                  CefRefPtr<CefCommandLine> command_line) {
    command_line->AppendSwitch("no-proxy-server");
    command_line->AppendSwitch("--disable-web-security");
    command_line->AppendSwitch("allow-access-from-files");
    command_line->AppendSwitchWithValue("autoplay-policy", "no-user-gesture-required");
    command_line->AppendSwitchWithValue("override-plugin-power-saver-for-testing", "never");
    command_line->AppendSwitch("--disable-site-isolation-trials");
    command_line->AppendSwitch("--enable-print-preview");
    command_line->AppendSwitch("enable-experimental-web-platform-features");
    command_line->AppendSwitchWithValue("--force-device-scale-factor", "1");
}

void CefAppHandler::OnContextCreated(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>,
                                     CefRefPtr<CefV8Context> context) {
    CefRefPtr<CefV8Value> external = CefV8Value::CreateObject(nullptr, nullptr);
    context->GetGlobal()->SetValue("external", external, V8_PROPERTY_ATTRIBUTE_NONE);
    for (const auto& entry : messageHandlers) {
        const CefString name(entry.first);
        external->SetValue(name, CefV8Value::CreateFunction(name, new CBrowserV8Handler),
                           V8_PROPERTY_ATTRIBUTE_NONE);
    }
}
