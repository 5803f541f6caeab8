// The menu model handed to context-menu handlers.
#ifndef CEF_STANDIN_SRC_MENU_MODEL_H_
#define CEF_STANDIN_SRC_MENU_MODEL_H_

#include "include/cef_menu_model.h"

namespace cef_standin {

CefRefPtr<CefMenuModel> CreateMenuModel();

}  // namespace cef_standin

#endif  // CEF_STANDIN_SRC_MENU_MODEL_H_
