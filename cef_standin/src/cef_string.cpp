// The C string functions behind CefString.
#include <windows.h>

#include <cstring>

#include "include/internal/cef_string_types.h"

namespace {

void FreeWide(char16* str) { delete[] str; }
void FreeNarrow(char* str) { delete[] str; }

}  // namespace

int cef_string_utf16_set(const char16* src, size_t src_len, cef_string_utf16_t* output, int copy) {
    if (!output) return 0;
    cef_string_utf16_clear(output);
    if (!src || src_len == 0) return 1;
    if (copy) {
        char16* buffer = new char16[src_len + 1];
        std::memcpy(buffer, src, src_len * sizeof(char16));
        buffer[src_len] = 0;
        output->str = buffer;
        output->dtor = FreeWide;
    } else {
        output->str = const_cast<char16*>(src);
        output->dtor = nullptr;
    }
    output->length = src_len;
    return 1;
}

int cef_string_utf8_set(const char* src, size_t src_len, cef_string_utf8_t* output, int copy) {
    if (!output) return 0;
    cef_string_utf8_clear(output);
    if (!src || src_len == 0) return 1;
    if (copy) {
        char* buffer = new char[src_len + 1];
        std::memcpy(buffer, src, src_len);
        buffer[src_len] = 0;
        output->str = buffer;
        output->dtor = FreeNarrow;
    } else {
        output->str = const_cast<char*>(src);
        output->dtor = nullptr;
    }
    output->length = src_len;
    return 1;
}

void cef_string_utf16_clear(cef_string_utf16_t* str) {
    if (!str) return;
    if (str->dtor && str->str) str->dtor(str->str);
    str->str = nullptr;
    str->length = 0;
    str->dtor = nullptr;
}

void cef_string_utf8_clear(cef_string_utf8_t* str) {
    if (!str) return;
    if (str->dtor && str->str) str->dtor(str->str);
    str->str = nullptr;
    str->length = 0;
    str->dtor = nullptr;
}

int cef_string_utf16_cmp(const cef_string_utf16_t* str1, const cef_string_utf16_t* str2) {
    size_t common = str1->length < str2->length ? str1->length : str2->length;
    for (size_t i = 0; i < common; ++i) {
        if (str1->str[i] != str2->str[i]) return str1->str[i] < str2->str[i] ? -1 : 1;
    }
    if (str1->length == str2->length) return 0;
    return str1->length < str2->length ? -1 : 1;
}

int cef_string_utf8_to_utf16(const char* src, size_t src_len, cef_string_utf16_t* output) {
    cef_string_utf16_clear(output);
    if (src_len == 0) return 1;
    int size = MultiByteToWideChar(CP_UTF8, 0, src, static_cast<int>(src_len), nullptr, 0);
    if (size <= 0) return 0;
    char16* buffer = new char16[size + 1];
    MultiByteToWideChar(CP_UTF8, 0, src, static_cast<int>(src_len), buffer, size);
    buffer[size] = 0;
    output->str = buffer;
    output->length = static_cast<size_t>(size);
    output->dtor = FreeWide;
    return 1;
}

int cef_string_utf16_to_utf8(const char16* src, size_t src_len, cef_string_utf8_t* output) {
    cef_string_utf8_clear(output);
    if (src_len == 0) return 1;
    int size = WideCharToMultiByte(CP_UTF8, 0, src, static_cast<int>(src_len), nullptr, 0, nullptr,
                                   nullptr);
    if (size <= 0) return 0;
    char* buffer = new char[size + 1];
    WideCharToMultiByte(CP_UTF8, 0, src, static_cast<int>(src_len), buffer, size, nullptr, nullptr);
    buffer[size] = 0;
    output->str = buffer;
    output->length = static_cast<size_t>(size);
    output->dtor = FreeNarrow;
    return 1;
}
