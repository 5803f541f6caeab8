#pragma once

#include <string>

namespace skin {

// UTF-8 to UTF-16; invalid sequences become U+FFFD.
std::wstring Utf8ToWide(const std::string& text);

}  // namespace skin
