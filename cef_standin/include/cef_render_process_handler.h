// Renderer-process notifications of the application. Called on the
// renderer process's main thread.
#ifndef CEF_INCLUDE_CEF_RENDER_PROCESS_HANDLER_H_
#define CEF_INCLUDE_CEF_RENDER_PROCESS_HANDLER_H_

#include "include/cef_base.h"
#include "include/cef_browser.h"
#include "include/cef_frame.h"
#include "include/cef_process_message.h"
#include "include/cef_v8.h"

class CefRenderProcessHandler : public virtual CefBaseRefCounted {
  public:
    // A new script context of |frame|: objects and functions set on its
    // global object are there before the page's own scripts run.
    virtual void OnContextCreated(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                  CefRefPtr<CefV8Context> context) {}

    // |message| from |source_process|. Return true when handled.
    virtual bool OnProcessMessageReceived(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                          CefProcessId source_process,
                                          CefRefPtr<CefProcessMessage> message) {
        return false;
    }
};

#endif  // CEF_INCLUDE_CEF_RENDER_PROCESS_HANDLER_H_
