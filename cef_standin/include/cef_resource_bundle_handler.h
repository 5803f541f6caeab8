// Replacement of the engine's built-in strings and resources. The runtime
// asks for none; the interface exists so applications can present it.
#ifndef CEF_INCLUDE_CEF_RESOURCE_BUNDLE_HANDLER_H_
#define CEF_INCLUDE_CEF_RESOURCE_BUNDLE_HANDLER_H_

#include "include/cef_base.h"

class CefResourceBundleHandler : public virtual CefBaseRefCounted {};

#endif  // CEF_INCLUDE_CEF_RESOURCE_BUNDLE_HANDLER_H_
