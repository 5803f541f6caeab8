#pragma once

#include "skin/markup_values.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace skin {

// Off-screen 32-bit premultiplied BGRA surface that keeps its alpha channel
// correct, so it can be put on screen with BitBlt or, for a window with a
// transparent background, with UpdateLayeredWindow. Every drawing operation
// is limited to the current clip rectangle.
class Canvas {
  public:
    Canvas();
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Makes the surface width x height; the contents become transparent.
    bool Resize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    HDC Dc() const { return dc_; }

    void SetClip(const RECT& clip);
    // Makes the clip rectangle fully transparent.
    void Clear();
    void FillColor(const RECT& area, Argb color);
    // Draws a premultiplied 32-bit bitmap stretched over area.
    void DrawBitmap(HBITMAP bitmap, int width, int height, const RECT& area);
    // Draws text with DrawTextW flags into area, antialiased, in the given colour.
    void PaintText(const std::wstring& text, HFONT font, Argb color, const RECT& area, UINT format);

  private:
    void BlendPixel(uint32_t& pixel, Argb color, uint32_t coverage);

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    RECT clip_{};
};

}  // namespace skin
