// Named messages with an argument list, sent between the browser process and
// a renderer process.
#ifndef CEF_INCLUDE_CEF_PROCESS_MESSAGE_H_
#define CEF_INCLUDE_CEF_PROCESS_MESSAGE_H_

#include "include/cef_base.h"
#include "include/cef_values.h"

typedef cef_process_id_t CefProcessId;

class CefProcessMessage : public virtual CefBaseRefCounted {
  public:
    CEF_EXPORT static CefRefPtr<CefProcessMessage> Create(const CefString& name);

    virtual bool IsValid() = 0;
    // True once the message has been sent.
    virtual bool IsReadOnly() = 0;
    virtual CefRefPtr<CefProcessMessage> Copy() = 0;
    virtual CefString GetName() = 0;
    virtual CefRefPtr<CefListValue> GetArgumentList() = 0;
};

#endif  // CEF_INCLUDE_CEF_PROCESS_MESSAGE_H_
