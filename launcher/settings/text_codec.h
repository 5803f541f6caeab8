// Code-page conversions and printf-style formatting shared by the launcher.
#pragma once

#include <string>

// Narrow text in the system ANSI code page to UTF-16; reads up to the first NUL.
std::wstring AnsiToWide(const std::string& text);

// UTF-16 to the system ANSI code page; reads up to the first NUL.
std::string WideToAnsi(const std::wstring& text);

// UTF-16 to UTF-8; empty when the conversion yields nothing.
std::string WideToUtf8(const std::wstring& text);

// printf-style formatting of any length. In FormatWide "%s" takes a wide
// string; in FormatNarrow a narrow one. "%d" takes a 32-bit signed integer.
std::wstring FormatWide(const wchar_t* format, ...);
std::string FormatNarrow(const char* format, ...);
