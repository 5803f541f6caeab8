// 32-bit top-down device-independent bitmaps, the pixel format of the skin.
#ifndef LAUNCHER_SKIN_DIB_SECTION_H_
#define LAUNCHER_SKIN_DIB_SECTION_H_

#include <windows.h>

#include <cstdint>

namespace skin {

// A width x height bitmap of premultiplied BGRA pixels, rows top first;
// *bits points at its pixels. Null (and *bits null) on failure.
HBITMAP CreateDibSection32(HDC dc, int width, int height, uint32_t** bits);

}  // namespace skin

#endif  // LAUNCHER_SKIN_DIB_SECTION_H_
