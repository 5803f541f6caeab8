// The machine identifier: the board UUID, the wired adapter's MAC address and
// the CPUID signature hashed into one 64-character text.
#pragma once

#include <string>

// The text that is hashed: uuid "&" mac "&" cpu; only the MAC text when that
// contains a firmware placeholder word ("O.E.M", "System" or "None").
std::wstring ComposeIdentityText(const std::wstring& uuid, const std::wstring& mac,
                                 const std::wstring& cpu);

// Md5Hex of the identity text in the ANSI code page, or "error" when the text
// is empty.
std::wstring HashIdentityText(const std::wstring& identityText);

// This machine's identifier; cached once it is not "error".
std::wstring GetMachineId();
