#pragma once

#include "include/cef_app.h"
#include "include/cef_browser_process_handler.h"
#include "include/cef_render_process_handler.h"

// The module's runtime application object, made in every process: sets the
// browser switches of every process and gives every page script context its
// window.external object.
class CefAppHandler : public CefApp,
                      public CefBrowserProcessHandler,
                      public CefRenderProcessHandler {
  public:
    void OnBeforeCommandLineProcessing(const CefString& process_type,
                                       CefRefPtr<CefCommandLine> command_line) override;
    CefRefPtr<CefBrowserProcessHandler> GetBrowserProcessHandler() override { return this; }
    CefRefPtr<CefRenderProcessHandler> GetRenderProcessHandler() override { return this; }

    // Replaces window.external by an object with one function per name in
    // messageHandlers.
    void OnContextCreated(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                          CefRefPtr<CefV8Context> context) override;

  private:
    IMPLEMENT_REFCOUNTING(CefAppHandler);
};
