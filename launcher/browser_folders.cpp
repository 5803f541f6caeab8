#include "browser_folders.h"

#include <windows.h>

#include "settings/text_codec.h"

namespace {

constexpr size_t kTempPathBuffer = 255;
constexpr size_t kDroppedTail = 5;

}  // namespace

BrowserFolders BrowserFoldersFromTempPath(const std::wstring& tempPath) {
    if (tempPath.size() < kDroppedTail) return {};
    const std::wstring base = tempPath.substr(0, tempPath.size() - kDroppedTail);
    const std::wstring cache = base + L"Pinnace\\cache\\pinnlogin";
    return {WideToUtf8(cache), WideToUtf8(cache + L"\\userdata")};
}

BrowserFolders QueryBrowserFolders() {
    wchar_t buffer[kTempPathBuffer] = {};
    const DWORD length = GetTempPathW(kTempPathBuffer, buffer);
    if (length == 0 || length >= kTempPathBuffer) return {};
    return BrowserFoldersFromTempPath(std::wstring(buffer, length));
}
