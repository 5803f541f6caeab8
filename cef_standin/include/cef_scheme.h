// Registration of custom URL schemes. The runtime registers none.
#ifndef CEF_INCLUDE_CEF_SCHEME_H_
#define CEF_INCLUDE_CEF_SCHEME_H_

#include "include/cef_base.h"

class CefSchemeRegistrar {
  public:
    virtual ~CefSchemeRegistrar() = default;
};

#endif  // CEF_INCLUDE_CEF_SCHEME_H_
