#include "connection_keys.h"

#include <windows.h>

namespace {

const wchar_t kNetworkClassKey[] =
    L"SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\";

std::wstring AdapterKey(const std::string& adapterName) {
    return kNetworkClassKey + std::wstring(adapterName.begin(), adapterName.end());
}

}  // namespace

ConnectionKeys::~ConnectionKeys() {
    for (const std::wstring& key : written_) RegDeleteTreeW(HKEY_LOCAL_MACHINE, key.c_str());
}

bool ConnectionKeys::Set(const std::string& adapterName, const std::wstring& instanceId) {
    const std::wstring key = AdapterKey(adapterName);
    HKEY adapter = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                        &adapter, &disposition) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(adapter);
    // Keys of the machine's own are never touched.
    if (disposition != REG_CREATED_NEW_KEY) return false;
    written_.push_back(key);
    const DWORD bytes = static_cast<DWORD>((instanceId.size() + 1) * sizeof(wchar_t));
    return RegSetKeyValueW(HKEY_LOCAL_MACHINE, (key + L"\\Connection").c_str(), L"PnPInstanceId",
                           REG_SZ, instanceId.c_str(), bytes) == ERROR_SUCCESS;
}
