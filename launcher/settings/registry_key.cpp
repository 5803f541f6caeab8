#include "settings/registry_key.h"

#include <cstring>
#include <vector>

namespace {

constexpr DWORD kDwordBufferBytes = 1040;
constexpr DWORD kStringWindowBytes = 260;
constexpr DWORD kStringBufferBytes = 520;

// Closes the key when the call that opened it returns.
class OpenKey {
  public:
    OpenKey() = default;
    ~OpenKey() {
        if (handle_) RegCloseKey(handle_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY* out() { return &handle_; }
    HKEY get() const { return handle_; }

  private:
    HKEY handle_ = nullptr;
};

bool IsTextType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

}  // namespace

void RegistryKey::SetRoot(HKEY root) { root_ = root; }

LONG RegistryKey::ReadDword(const std::wstring& subKey, const std::wstring& name,
                            DWORD& value) const {
    OpenKey key;
    LONG error = RegOpenKeyExW(root_, subKey.c_str(), 0, KEY_READ, key.out());
    if (error != ERROR_SUCCESS) return error;
    std::vector<BYTE> buffer(kDwordBufferBytes, 0);
    DWORD type = 0;
    DWORD size = kDwordBufferBytes;
    error = RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, buffer.data(), &size);
    if (error == ERROR_SUCCESS && type == REG_DWORD && size >= sizeof(DWORD))
        memcpy(&value, buffer.data(), sizeof(DWORD));
    return error;
}

LONG RegistryKey::ReadString(const std::wstring& subKey, const std::wstring& name,
                             std::wstring& text, DWORD& type) const {
    type = 0;
    OpenKey key;
    LONG error = RegOpenKeyExW(root_, subKey.c_str(), 0, KEY_READ, key.out());
    if (error != ERROR_SUCCESS) return error;
    std::vector<BYTE> buffer(kStringBufferBytes, 0);
    DWORD valueType = 0;
    DWORD size = kStringWindowBytes;
    error = RegQueryValueExW(key.get(), name.c_str(), nullptr, &valueType, buffer.data(), &size);
    if (error == ERROR_MORE_DATA) {
        buffer.assign(static_cast<size_t>(size) * 2, 0);
        size = static_cast<DWORD>(buffer.size());
        error =
            RegQueryValueExW(key.get(), name.c_str(), nullptr, &valueType, buffer.data(), &size);
    }
    if (error != ERROR_SUCCESS || !IsTextType(valueType)) return error;
    // The stored terminator is dropped; text written without one keeps its
    // last character.
    const wchar_t* data = reinterpret_cast<const wchar_t*>(buffer.data());
    size_t units = size / sizeof(wchar_t);
    if (units > 0 && data[units - 1] == L'\0') --units;
    text.assign(data, units);
    type = valueType;
    return error;
}

LONG RegistryKey::WriteDword(const std::wstring& subKey, const std::wstring& name,
                             DWORD value) const {
    OpenKey key;
    LONG error = RegCreateKeyExW(root_, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_WRITE, nullptr, key.out(), nullptr);
    if (error != ERROR_SUCCESS) return error;
    return RegSetValueExW(key.get(), name.c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&value), sizeof(value));
}
