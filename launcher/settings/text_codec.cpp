#include "settings/text_codec.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

std::wstring NarrowToWide(UINT codePage, const std::string& text) {
    const int length = static_cast<int>(strnlen(text.c_str(), text.size()));
    if (length == 0) return std::wstring();
    const int size = MultiByteToWideChar(codePage, 0, text.c_str(), length, nullptr, 0);
    if (size <= 0) return std::wstring();
    std::wstring result(size, L'\0');
    MultiByteToWideChar(codePage, 0, text.c_str(), length, &result[0], size);
    return result;
}

std::string WideToNarrow(UINT codePage, const std::wstring& text) {
    const int length = static_cast<int>(wcsnlen(text.c_str(), text.size()));
    if (length == 0) return std::string();
    const int size =
        WideCharToMultiByte(codePage, 0, text.c_str(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::string();
    std::string result(size, '\0');
    WideCharToMultiByte(codePage, 0, text.c_str(), length, &result[0], size, nullptr, nullptr);
    return result;
}

}  // namespace

std::wstring AnsiToWide(const std::string& text) { return NarrowToWide(CP_ACP, text); }

std::string WideToAnsi(const std::wstring& text) { return WideToNarrow(CP_ACP, text); }

std::string WideToUtf8(const std::wstring& text) { return WideToNarrow(CP_UTF8, text); }

// The CRT's underscore functions keep Microsoft's meaning of "%s" in wide
// formats (a wide string), whatever printf flavour the toolchain selects.
std::wstring FormatWide(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = _vscwprintf(format, measure);
    va_end(measure);
    std::wstring result;
    if (length > 0) {
        std::vector<wchar_t> buffer(length + 1, L'\0');
        _vsnwprintf(buffer.data(), buffer.size(), format, args);
        result.assign(buffer.data(), length);
    }
    va_end(args);
    return result;
}

std::string FormatNarrow(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = _vscprintf(format, measure);
    va_end(measure);
    std::string result;
    if (length > 0) {
        std::vector<char> buffer(length + 1, '\0');
        _vsnprintf(buffer.data(), buffer.size(), format, args);
        result.assign(buffer.data(), length);
    }
    va_end(args);
    return result;
}
