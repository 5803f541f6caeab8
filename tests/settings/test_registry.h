// Registry fixtures of the settings tests: raw values under HKEY_CURRENT_USER
// of the test prefix.
#pragma once

#include <windows.h>

#include <string>

// Where the tests keep their own values; removed by each test that uses it.
extern const wchar_t kTestRegistryKey[];
// The sibling product's key that GetFileParam reads.
extern const wchar_t kSiblingKey[];

void SetRawValue(const std::wstring& subKey, const std::wstring& name, DWORD type,
                 const std::wstring& data, bool withTerminator = true);
void SetDwordValue(const std::wstring& subKey, const std::wstring& name, DWORD value);
void DeleteValue(const std::wstring& subKey, const std::wstring& name);
void DeleteTree(const std::wstring& subKey);
