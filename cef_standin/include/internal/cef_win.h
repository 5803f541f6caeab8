// Windows wrappers: main arguments and window information.
#ifndef CEF_INCLUDE_INTERNAL_CEF_WIN_H_
#define CEF_INCLUDE_INTERNAL_CEF_WIN_H_

#include "include/internal/cef_types_win.h"
#include "include/internal/cef_types_wrappers.h"

typedef cef_window_handle_t CefWindowHandle;
typedef cef_event_handle_t CefEventHandle;

class CefMainArgs : public cef_main_args_t {
  public:
    CefMainArgs() : cef_main_args_t{} {}
    explicit CefMainArgs(HINSTANCE hInstance) : cef_main_args_t{hInstance} {}
};

struct CefWindowInfoTraits {
    typedef cef_window_info_t struct_type;
    static void init(struct_type*) {}
    static void clear(struct_type* s) { cef_string_utf16_clear(&s->window_name); }
    static void set(const struct_type* src, struct_type* target) {
        target->ex_style = src->ex_style;
        cef_internal::CopyString(&src->window_name, &target->window_name);
        target->style = src->style;
        target->bounds = src->bounds;
        target->parent_window = src->parent_window;
        target->menu = src->menu;
        target->windowless_rendering_enabled = src->windowless_rendering_enabled;
        target->window = src->window;
    }
};

class CefWindowInfo : public CefStructBase<CefWindowInfoTraits> {
  public:
    typedef CefStructBase<CefWindowInfoTraits> parent;

    CefWindowInfo() = default;
    CefWindowInfo(const cef_window_info_t& r) : parent(r) {}

    // A visible child window of |parent| at |windowBounds| (parent client
    // coordinates).
    void SetAsChild(CefWindowHandle parent, const CefRect& windowBounds) {
        style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP | WS_VISIBLE;
        parent_window = parent;
        bounds = windowBounds;
    }

    // A visible top-level window owned by |parent| (may be null), placed by
    // the system.
    void SetAsPopup(CefWindowHandle parent, const CefString& windowName) {
        style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VISIBLE;
        parent_window = parent;
        bounds = CefRect(CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT);
        cef_string_utf16_set(windowName.c_str(), windowName.length(), &window_name, 1);
    }
};

#endif  // CEF_INCLUDE_INTERNAL_CEF_WIN_H_
