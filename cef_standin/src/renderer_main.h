// Sub-processes: the renderer side of the runtime.
#ifndef CEF_STANDIN_SRC_RENDERER_MAIN_H_
#define CEF_STANDIN_SRC_RENDERER_MAIN_H_

#include "include/cef_app.h"

namespace cef_standin {

// In a process started with a "type" switch runs that sub-process to its
// end and returns its exit code; otherwise returns -1 at once.
int RunSubProcess(CefRefPtr<CefApp> app);

}  // namespace cef_standin

#endif  // CEF_STANDIN_SRC_RENDERER_MAIN_H_
