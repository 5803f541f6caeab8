#include "test_registry.h"

#include <gtest/gtest.h>

const wchar_t kTestRegistryKey[] = L"Software\\hlvn-tests\\settings";
const wchar_t kSiblingKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\vesk2";

void SetRawValue(const std::wstring& subKey, const std::wstring& name, DWORD type,
                 const std::wstring& data, bool withTerminator) {
    const DWORD bytes =
        static_cast<DWORD>((data.size() + (withTerminator ? 1 : 0)) * sizeof(wchar_t));
    ASSERT_EQ(
        RegSetKeyValueW(HKEY_CURRENT_USER, subKey.c_str(), name.c_str(), type, data.c_str(), bytes),
        ERROR_SUCCESS);
}

void SetDwordValue(const std::wstring& subKey, const std::wstring& name, DWORD value) {
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, subKey.c_str(), name.c_str(), REG_DWORD, &value,
                              sizeof(value)),
              ERROR_SUCCESS);
}

void DeleteValue(const std::wstring& subKey, const std::wstring& name) {
    const LONG error = RegDeleteKeyValueW(HKEY_CURRENT_USER, subKey.c_str(), name.c_str());
    ASSERT_TRUE(error == ERROR_SUCCESS || error == ERROR_FILE_NOT_FOUND) << error;
}

void DeleteTree(const std::wstring& subKey) {
    const LONG error = RegDeleteTreeW(HKEY_CURRENT_USER, subKey.c_str());
    ASSERT_TRUE(error == ERROR_SUCCESS || error == ERROR_FILE_NOT_FOUND) << error;
}
