#include "skin/message_loop.h"

#include "skin/window_impl_base.h"

#include <windows.h>

namespace skin {

void RunMessageLoop() {
    MSG msg;
    // GetMessageW gives 0 for WM_QUIT and -1 on failure; both end the loop.
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (WindowImplBase::PreTranslate(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace skin
