// The login address and block entry composed from setting.xml, config.ini
// and the sibling product's registry values.
#pragma once

#include <string>

struct LoginAddress {
    std::string url;         // the login page address with its query
    std::string blockEntry;  // decrypted blockUrl; may be empty
};

// Text of HKEY_CURRENT_USER\subKey value `name` up to its first NUL;
// `defaultValue` when the key cannot be opened or the value is missing, empty
// when the text does not fit in 259 characters.
std::wstring GetRegistryText(const std::wstring& subKey, const std::wstring& name,
                             const std::wstring& defaultValue);

// "fileparamvalue" of the sibling product with everything up to its first "_"
// and the last four characters removed; cached once non-empty.
std::wstring GetFileParam();

// Composes the login address from the settings files in `directory` (the
// process's current directory) and the file parameter.
LoginAddress ComposeLoginUrl(const std::wstring& directory);
