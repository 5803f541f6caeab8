#pragma once

#include <string>

// UTF-16 text in the system ANSI code page; characters the code page cannot
// hold become its default replacement character.
std::string WideToAnsiText(const std::wstring& text);
