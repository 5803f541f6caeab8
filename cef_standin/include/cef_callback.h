// Completion callback of an asynchronous handler decision.
#ifndef CEF_INCLUDE_CEF_CALLBACK_H_
#define CEF_INCLUDE_CEF_CALLBACK_H_

#include "include/cef_base.h"

class CefCallback : public virtual CefBaseRefCounted {
  public:
    virtual void Continue() = 0;
    virtual void Cancel() = 0;
};

#endif  // CEF_INCLUDE_CEF_CALLBACK_H_
