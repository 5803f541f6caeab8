// Script dialogs (alert, confirm, prompt, before-unload). The runtime calls
// none of them: it accepts every dialog itself.
#ifndef CEF_INCLUDE_CEF_JSDIALOG_HANDLER_H_
#define CEF_INCLUDE_CEF_JSDIALOG_HANDLER_H_

#include "include/cef_base.h"

class CefJSDialogHandler : public virtual CefBaseRefCounted {};

#endif  // CEF_INCLUDE_CEF_JSDIALOG_HANDLER_H_
