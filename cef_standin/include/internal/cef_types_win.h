// Windows-specific C records: main arguments, window information, handles.
#ifndef CEF_INCLUDE_INTERNAL_CEF_TYPES_WIN_H_
#define CEF_INCLUDE_INTERNAL_CEF_TYPES_WIN_H_

#include <windows.h>

#include "include/internal/cef_string_types.h"

#define kNullWindowHandle NULL
#define kNullEventHandle NULL

typedef HWND cef_window_handle_t;
typedef MSG* cef_event_handle_t;

typedef struct _cef_main_args_t {
    HINSTANCE instance;
} cef_main_args_t;

typedef struct _cef_rect_t {
    int x;
    int y;
    int width;
    int height;
} cef_rect_t;

typedef struct _cef_window_info_t {
    DWORD ex_style;
    cef_string_t window_name;
    DWORD style;
    cef_rect_t bounds;
    cef_window_handle_t parent_window;
    HMENU menu;
    int windowless_rendering_enabled;
    // Set by the runtime: the browser's own window.
    cef_window_handle_t window;
} cef_window_info_t;

#endif  // CEF_INCLUDE_INTERNAL_CEF_TYPES_WIN_H_
