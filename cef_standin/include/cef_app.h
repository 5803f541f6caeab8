// The application object and the runtime's process-wide entry points.
#ifndef CEF_INCLUDE_CEF_APP_H_
#define CEF_INCLUDE_CEF_APP_H_

#include "include/cef_base.h"
#include "include/cef_browser_process_handler.h"
#include "include/cef_command_line.h"
#include "include/cef_render_process_handler.h"
#include "include/cef_resource_bundle_handler.h"
#include "include/cef_scheme.h"

class CefApp : public virtual CefBaseRefCounted {
  public:
    // Every process: the runtime's command line before it is used; switches
    // appended here reach the engine. |process_type| is empty in the browser
    // process.
    virtual void OnBeforeCommandLineProcessing(const CefString& process_type,
                                               CefRefPtr<CefCommandLine> command_line) {}

    // Every process: register custom schemes on |registrar|.
    virtual void OnRegisterCustomSchemes(CefRawPtr<CefSchemeRegistrar> registrar) {}

    virtual CefRefPtr<CefResourceBundleHandler> GetResourceBundleHandler() { return nullptr; }
    virtual CefRefPtr<CefBrowserProcessHandler> GetBrowserProcessHandler() { return nullptr; }
    virtual CefRefPtr<CefRenderProcessHandler> GetRenderProcessHandler() { return nullptr; }
};

// In a sub-process (started with a "type" switch) runs that process to its
// end and returns its exit code (0 or more); in the browser process returns
// -1 at once.
CEF_EXPORT int CefExecuteProcess(const CefMainArgs& args, CefRefPtr<CefApp> application,
                                 void* windows_sandbox_info);

// Browser process: starts the runtime. Returns false when it cannot start.
CEF_EXPORT bool CefInitialize(const CefMainArgs& args, const CefSettings& settings,
                              CefRefPtr<CefApp> application, void* windows_sandbox_info);

// Browser process: ends the runtime, its engine and its sub-processes. Call
// it after every browser has closed, on the thread that called CefInitialize.
CEF_EXPORT void CefShutdown();

#endif  // CEF_INCLUDE_CEF_APP_H_
