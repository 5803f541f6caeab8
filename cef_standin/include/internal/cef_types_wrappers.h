// C++ wrappers of the C records: they set |size|, start zeroed, and own the
// texts of their string fields (copies are deep).
#ifndef CEF_INCLUDE_INTERNAL_CEF_TYPES_WRAPPERS_H_
#define CEF_INCLUDE_INTERNAL_CEF_TYPES_WRAPPERS_H_

#include <cstring>

#include "include/internal/cef_string.h"
#include "include/internal/cef_types.h"

// Base of the wrapped records. |Traits| names the C record and how to clear
// and copy its owned fields.
template <class Traits>
class CefStructBase : public Traits::struct_type {
  public:
    typedef typename Traits::struct_type struct_type;

    CefStructBase() { Init(); }
    CefStructBase(const CefStructBase& r) {
        Init();
        Traits::set(&r, this);
    }
    CefStructBase(const struct_type& r) {
        Init();
        Traits::set(&r, this);
    }
    ~CefStructBase() { Traits::clear(this); }

    CefStructBase& operator=(const CefStructBase& r) {
        return operator=(static_cast<const struct_type&>(r));
    }
    CefStructBase& operator=(const struct_type& r) {
        if (this != &r) {
            Traits::clear(this);
            Traits::set(&r, this);
        }
        return *this;
    }

  private:
    void Init() {
        std::memset(static_cast<struct_type*>(this), 0, sizeof(struct_type));
        Traits::init(this);
    }
};

namespace cef_internal {
inline void CopyString(const cef_string_t* src, cef_string_t* target) {
    cef_string_utf16_set(src->str, src->length, target, 1);
}
}  // namespace cef_internal

struct CefSettingsTraits {
    typedef cef_settings_t struct_type;
    static void init(struct_type* s) { s->size = sizeof(struct_type); }
    static void clear(struct_type* s) {
        cef_string_utf16_clear(&s->browser_subprocess_path);
        cef_string_utf16_clear(&s->cache_path);
        cef_string_utf16_clear(&s->user_data_path);
        cef_string_utf16_clear(&s->user_agent);
        cef_string_utf16_clear(&s->locale);
        cef_string_utf16_clear(&s->accept_language_list);
    }
    static void set(const struct_type* src, struct_type* target) {
        target->no_sandbox = src->no_sandbox;
        cef_internal::CopyString(&src->browser_subprocess_path, &target->browser_subprocess_path);
        target->multi_threaded_message_loop = src->multi_threaded_message_loop;
        cef_internal::CopyString(&src->cache_path, &target->cache_path);
        cef_internal::CopyString(&src->user_data_path, &target->user_data_path);
        target->persist_session_cookies = src->persist_session_cookies;
        cef_internal::CopyString(&src->user_agent, &target->user_agent);
        cef_internal::CopyString(&src->locale, &target->locale);
        target->log_severity = src->log_severity;
        cef_internal::CopyString(&src->accept_language_list, &target->accept_language_list);
    }
};
typedef CefStructBase<CefSettingsTraits> CefSettings;

struct CefBrowserSettingsTraits {
    typedef cef_browser_settings_t struct_type;
    static void init(struct_type* s) { s->size = sizeof(struct_type); }
    static void clear(struct_type*) {}
    static void set(const struct_type*, struct_type*) {}
};
typedef CefStructBase<CefBrowserSettingsTraits> CefBrowserSettings;

struct CefKeyEventTraits {
    typedef cef_key_event_t struct_type;
    static void init(struct_type*) {}
    static void clear(struct_type*) {}
    static void set(const struct_type* src, struct_type* target) { *target = *src; }
};
typedef CefStructBase<CefKeyEventTraits> CefKeyEvent;

struct CefPopupFeaturesTraits {
    typedef cef_popup_features_t struct_type;
    static void init(struct_type*) {}
    static void clear(struct_type*) {}
    static void set(const struct_type* src, struct_type* target) { *target = *src; }
};
typedef CefStructBase<CefPopupFeaturesTraits> CefPopupFeatures;

class CefPoint : public cef_point_t {
  public:
    CefPoint() : cef_point_t{} {}
    CefPoint(int x, int y) : cef_point_t{x, y} {}
    void Set(int x_val, int y_val) {
        x = x_val;
        y = y_val;
    }
};

class CefRect : public cef_rect_t {
  public:
    CefRect() : cef_rect_t{} {}
    CefRect(int x, int y, int width, int height) : cef_rect_t{x, y, width, height} {}
    void Set(int x_val, int y_val, int width_val, int height_val) {
        x = x_val;
        y = y_val;
        width = width_val;
        height = height_val;
    }
    bool IsEmpty() const { return width <= 0 || height <= 0; }
};

#endif  // CEF_INCLUDE_INTERNAL_CEF_TYPES_WRAPPERS_H_
