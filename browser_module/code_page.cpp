#include "code_page.h"

#include <windows.h>

std::string WideToAnsiText(const std::wstring& text) {
    if (text.empty()) {
        return std::string();
    }
    const int wideLength = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(CP_ACP, 0, text.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        return std::string();
    }
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), wideLength, result.data(), size, nullptr, nullptr);
    return result;
}
