#include "skin/markup_values.h"

#include <cwchar>
#include <cwctype>

namespace skin {
namespace {

// Reads up to count comma-separated integers; absent ones stay 0.
void ParseNumbers(const std::wstring& value, long* numbers, int count) {
    const wchar_t* p = value.c_str();
    for (int i = 0; i < count; ++i) {
        wchar_t* end = nullptr;
        numbers[i] = std::wcstol(p, &end, 10);
        if (end == p) return;
        p = end;
        while (*p == L' ') ++p;
        if (*p != L',') return;
        ++p;
    }
}

}  // namespace

RECT ParseRect(const std::wstring& value) {
    long n[4] = {};
    ParseNumbers(value, n, 4);
    return RECT{n[0], n[1], n[2], n[3]};
}

SIZE ParseSize(const std::wstring& value) {
    long n[2] = {};
    ParseNumbers(value, n, 2);
    return SIZE{n[0], n[1]};
}

bool ParseColor(const std::wstring& value, Argb& color) {
    std::wstring digits;
    if (value.rfind(L"#", 0) == 0) {
        digits = value.substr(1);
    } else if (value.rfind(L"0x", 0) == 0 || value.rfind(L"0X", 0) == 0) {
        digits = value.substr(2);
    } else {
        return false;
    }
    if (digits.size() != 6 && digits.size() != 8) return false;
    for (wchar_t c : digits) {
        if (!std::iswxdigit(c)) return false;
    }
    Argb parsed = static_cast<Argb>(std::wcstoul(digits.c_str(), nullptr, 16));
    color = digits.size() == 6 ? (0xFF000000u | parsed) : parsed;
    return true;
}

bool ParseBool(const std::wstring& value) { return _wcsicmp(value.c_str(), L"true") == 0; }

std::wstring ImageFileName(const std::wstring& value) {
    size_t key = value.find(L"file='");
    if (key == std::wstring::npos) return value;
    size_t start = key + 6;
    size_t end = value.find(L'\'', start);
    if (end == std::wstring::npos) return std::wstring();
    return value.substr(start, end - start);
}

}  // namespace skin
