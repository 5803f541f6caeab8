// C string records of the API: UTF-16 and UTF-8 texts with an optional
// destructor for the buffer they point to.
#ifndef CEF_INCLUDE_INTERNAL_CEF_STRING_TYPES_H_
#define CEF_INCLUDE_INTERNAL_CEF_STRING_TYPES_H_

#include <stddef.h>

#include "include/internal/cef_export.h"

#ifdef __cplusplus
extern "C" {
#endif

// On Windows wchar_t holds UTF-16 code units.
typedef wchar_t char16;

typedef struct _cef_string_utf16_t {
    char16* str;
    size_t length;
    void (*dtor)(char16* str);
} cef_string_utf16_t;

typedef struct _cef_string_utf8_t {
    char* str;
    size_t length;
    void (*dtor)(char* str);
} cef_string_utf8_t;

typedef cef_string_utf16_t cef_string_t;
typedef cef_string_utf16_t* cef_string_userfree_t;

// Sets |output| to |len| units of |src|; with |copy| the text is copied and
// owned by |output|, otherwise |output| only refers to it. Returns 1 on success.
CEF_EXPORT int cef_string_utf16_set(const char16* src, size_t src_len, cef_string_utf16_t* output,
                                    int copy);
CEF_EXPORT int cef_string_utf8_set(const char* src, size_t src_len, cef_string_utf8_t* output,
                                   int copy);
// Frees the text that the record owns and empties it.
CEF_EXPORT void cef_string_utf16_clear(cef_string_utf16_t* str);
CEF_EXPORT void cef_string_utf8_clear(cef_string_utf8_t* str);
// Compares two texts unit by unit; <0, 0 or >0.
CEF_EXPORT int cef_string_utf16_cmp(const cef_string_utf16_t* str1, const cef_string_utf16_t* str2);
// Converts between UTF-8 and UTF-16; the output owns its text. Returns 1 on success.
CEF_EXPORT int cef_string_utf8_to_utf16(const char* src, size_t src_len,
                                        cef_string_utf16_t* output);
CEF_EXPORT int cef_string_utf16_to_utf8(const char16* src, size_t src_len,
                                        cef_string_utf8_t* output);

#ifdef __cplusplus
}
#endif

#endif  // CEF_INCLUDE_INTERNAL_CEF_STRING_TYPES_H_
