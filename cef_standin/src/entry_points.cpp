// The runtime's process-wide entry points and browser creation.
#include "browser_impl.h"
#include "include/cef_app.h"
#include "include/cef_browser.h"
#include "renderer_main.h"
#include "runtime.h"

int CefExecuteProcess(const CefMainArgs&, CefRefPtr<CefApp> application, void*) {
    return cef_standin::RunSubProcess(application);
}

bool CefInitialize(const CefMainArgs& args, const CefSettings& settings,
                   CefRefPtr<CefApp> application, void*) {
    return cef_standin::Runtime::Initialize(args, settings, application);
}

void CefShutdown() { cef_standin::Runtime::Shutdown(); }

bool CefBrowserHost::CreateBrowser(const CefWindowInfo& windowInfo, CefRefPtr<CefClient> client,
                                   const CefString& url, const CefBrowserSettings&,
                                   CefRefPtr<CefDictionaryValue>, CefRefPtr<CefRequestContext>) {
    cef_standin::Runtime* runtime = cef_standin::Runtime::Get();
    if (!runtime) return false;
    CefWindowInfo info(windowInfo);
    const std::string address = url.ToString();
    return runtime->ui().Post([info, client, address] {
        cef_standin::Runtime* runtime = cef_standin::Runtime::Get();
        std::string target_id;
        std::string session_id;
        if (!runtime->CreateTarget(target_id, session_id)) return;
        cef_standin::BrowserImpl::Create(info, client, address, target_id, session_id, false);
    });
}
