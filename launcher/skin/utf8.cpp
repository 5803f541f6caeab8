#include "skin/utf8.h"

#include <windows.h>

namespace skin {

std::wstring Utf8ToWide(const std::string& text) {
    if (text.empty()) return std::wstring();
    int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

}  // namespace skin
