// The script that runs first in every new document of a browser: it asks
// the renderer process (synchronously, through a reserved request path)
// which objects and functions its render-process handler set on the global
// object, and builds them. Each such function calls back the same way.
#ifndef CEF_STANDIN_SRC_PAGE_BOOTSTRAP_H_
#define CEF_STANDIN_SRC_PAGE_BOOTSTRAP_H_

#include <string>

namespace cef_standin {

const std::string& PageBootstrapScript();

}  // namespace cef_standin

#endif  // CEF_STANDIN_SRC_PAGE_BOOTSTRAP_H_
