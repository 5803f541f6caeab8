// Request context: the profile that browsers share, with its preferences.
#ifndef CEF_INCLUDE_CEF_REQUEST_CONTEXT_H_
#define CEF_INCLUDE_CEF_REQUEST_CONTEXT_H_

#include "include/cef_base.h"
#include "include/cef_values.h"

class CefRequestContext : public virtual CefBaseRefCounted {
  public:
    // The context of browsers created without one of their own.
    CEF_EXPORT static CefRefPtr<CefRequestContext> GetGlobalContext();

    // Sets preference |name| (null |value| restores the default). Must be
    // called on the browser process UI thread. On failure |error| says why.
    virtual bool SetPreference(const CefString& name, CefRefPtr<CefValue> value,
                               CefString& error) = 0;
};

#endif  // CEF_INCLUDE_CEF_REQUEST_CONTEXT_H_
