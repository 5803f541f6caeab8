#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace skin {

// Colours are 0xAARRGGBB, not premultiplied.
using Argb = uint32_t;

// "l,t,r,b"; missing numbers are 0.
RECT ParseRect(const std::wstring& value);
// "cx,cy"; missing numbers are 0.
SIZE ParseSize(const std::wstring& value);
// "#RRGGBB", "#AARRGGBB", "0xRRGGBB" or "0xAARRGGBB"; six digits are opaque.
// False for anything else.
bool ParseColor(const std::wstring& value, Argb& color);
// "true" (any case) is true, everything else false.
bool ParseBool(const std::wstring& value);
// Image reference: a bare file name or file='name' among other settings.
std::wstring ImageFileName(const std::wstring& value);

}  // namespace skin
