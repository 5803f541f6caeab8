// Drag-and-drop notifications. The runtime calls none of them; the interface
// exists so clients can present it.
#ifndef CEF_INCLUDE_CEF_DRAG_HANDLER_H_
#define CEF_INCLUDE_CEF_DRAG_HANDLER_H_

#include "include/cef_base.h"

class CefDragHandler : public virtual CefBaseRefCounted {};

#endif  // CEF_INCLUDE_CEF_DRAG_HANDLER_H_
