// Browser-process notifications of the application.
#ifndef CEF_INCLUDE_CEF_BROWSER_PROCESS_HANDLER_H_
#define CEF_INCLUDE_CEF_BROWSER_PROCESS_HANDLER_H_

#include "include/cef_base.h"

class CefBrowserProcessHandler : public virtual CefBaseRefCounted {
  public:
    // UI thread: the runtime has started; browsers may be created.
    virtual void OnContextInitialized() {}
};

#endif  // CEF_INCLUDE_CEF_BROWSER_PROCESS_HANDLER_H_
