// One frame of a browser's page: the top document or an embedded one.
#ifndef CEF_INCLUDE_CEF_FRAME_H_
#define CEF_INCLUDE_CEF_FRAME_H_

#include "include/cef_base.h"
#include "include/cef_process_message.h"

class CefBrowser;
class CefV8Context;

class CefFrame : public virtual CefBaseRefCounted {
  public:
    // False once the frame is gone.
    virtual bool IsValid() = 0;
    virtual void LoadURL(const CefString& url) = 0;
    // Runs |code| in the frame's current document; |script_url| and
    // |start_line| locate it in error reports.
    virtual void ExecuteJavaScript(const CefString& code, const CefString& script_url,
                                   int start_line) = 0;
    virtual bool IsMain() = 0;
    virtual CefString GetName() = 0;
    // Identifier unique within the browser process.
    virtual int64_t GetIdentifier() = 0;
    virtual CefRefPtr<CefFrame> GetParent() = 0;
    virtual CefString GetURL() = 0;
    virtual CefRefPtr<CefBrowser> GetBrowser() = 0;
    // Renderer process only: the frame's script context.
    virtual CefRefPtr<CefV8Context> GetV8Context() = 0;
    // Sends |message| to |target_process|; from a renderer process only to
    // PID_BROWSER.
    virtual void SendProcessMessage(CefProcessId target_process,
                                    CefRefPtr<CefProcessMessage> message) = 0;
};

#endif  // CEF_INCLUDE_CEF_FRAME_H_
