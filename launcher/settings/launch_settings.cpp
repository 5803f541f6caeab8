#include "settings/launch_settings.h"

#include <windows.h>

#include <cwchar>
#include <vector>

#include "settings/encoding.h"
#include "settings/ini_file.h"
#include "settings/setting_xml.h"
#include "settings/text_codec.h"

namespace {

const wchar_t kSiblingUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\vesk2";
constexpr size_t kRegistryTextUnits = 260;
constexpr size_t kFileParamTail = 4;

// Everything after the first "_" without the last four characters (the
// installer's extension); empty when fewer than four characters follow.
std::wstring ProcessFileParam(const std::wstring& text) {
    const size_t underscore = text.find(L'_');
    if (underscore == std::wstring::npos) return text;
    const std::wstring rest = text.substr(underscore + 1);
    if (rest.size() < kFileParamTail) return std::wstring();
    return rest.substr(0, rest.size() - kFileParamTail);
}

}  // namespace

std::wstring GetRegistryText(const std::wstring& subKey, const std::wstring& name,
                             const std::wstring& defaultValue) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, subKey.c_str(), 0,
                      KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY, &key) != ERROR_SUCCESS)
        return defaultValue;
    std::wstring result = defaultValue;
    DWORD size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS) {
        std::vector<wchar_t> buffer(kRegistryTextUnits, L'\0');
        size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        const LONG error = RegQueryValueExW(key, name.c_str(), nullptr, nullptr,
                                            reinterpret_cast<BYTE*>(buffer.data()), &size);
        const size_t length = wcsnlen(buffer.data(), buffer.size());
        // Text that fills the buffer without a terminator is longer than it
        // may be and counts as unreadable, like text the buffer cannot hold.
        result = (error == ERROR_SUCCESS && length < buffer.size())
                     ? std::wstring(buffer.data(), length)
                     : std::wstring();
    }
    RegCloseKey(key);
    return result;
}

std::wstring GetFileParam() {
    static std::wstring cached;
    if (cached.empty())
        cached = ProcessFileParam(GetRegistryText(kSiblingUninstallKey, L"fileparamvalue", L""));
    return cached;
}

LoginAddress ComposeLoginUrl(const std::wstring& directory) {
    const SettingXml setting = ReadSettingXml(WideToAnsi(directory + L"\\setting.xml"));
    const std::wstring fileParam = GetFileParam();
    LoginAddress address{setting.loginUrl, setting.blockUrl};
    IniFile ini;
    if (ini.Load(WideToAnsi(directory + L"\\config.ini"))) {
        const std::string uid = UrlEncode(ini.GetValue("vesk2", "uid", ""));
        const std::string suid = UrlEncode(ini.GetValue("vesk2", "filename", ""));
        const std::string token = UrlEncode(ini.GetValue("vesk2", "token", ""));
        address.url = FormatNarrow("%s&uid=%s&suid=%s&token=%s", setting.loginUrl.c_str(),
                                   uid.c_str(), suid.c_str(), token.c_str());
    } else if (!fileParam.empty()) {
        address.url += FormatNarrow("?fileparam=%s", Base64Encode(WideToAnsi(fileParam)).c_str());
    }
    return address;
}
