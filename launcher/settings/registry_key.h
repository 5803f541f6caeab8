// Small registry accessor: one root key, no key kept open between calls.
#pragma once

#include <windows.h>

#include <string>

class RegistryKey {
  public:
    // The root starts as HKEY_LOCAL_MACHINE.
    void SetRoot(HKEY root);

    // Reads a REG_DWORD; a value of another type leaves `value` unchanged and
    // still returns ERROR_SUCCESS. Returns the Windows error of open or query.
    LONG ReadDword(const std::wstring& subKey, const std::wstring& name, DWORD& value) const;

    // Reads REG_SZ, REG_EXPAND_SZ (not expanded) or REG_MULTI_SZ (raw) text
    // without its terminator; `type` is 0 unless one of those was read.
    // Returns the Windows error of open or query.
    LONG ReadString(const std::wstring& subKey, const std::wstring& name, std::wstring& text,
                    DWORD& type) const;

    // Creates or opens the key and stores a REG_DWORD. Returns the Windows error.
    LONG WriteDword(const std::wstring& subKey, const std::wstring& name, DWORD value) const;

  private:
    HKEY root_ = HKEY_LOCAL_MACHINE;
};
