#include "skin/canvas.h"

#include <algorithm>

#include "skin/dib_section.h"

namespace skin {

Canvas::Canvas() : dc_(CreateCompatibleDC(nullptr)) {}

Canvas::~Canvas() {
    if (previous_) SelectObject(dc_, previous_);
    if (bitmap_) DeleteObject(bitmap_);
    DeleteDC(dc_);
}

bool Canvas::Resize(int width, int height) {
    uint32_t* bits = nullptr;
    HBITMAP bitmap = CreateDibSection32(dc_, std::max(width, 1), std::max(height, 1), &bits);
    if (!bitmap) return false;
    HGDIOBJ old = SelectObject(dc_, bitmap);
    if (!previous_) previous_ = old;
    if (bitmap_) DeleteObject(bitmap_);
    bitmap_ = bitmap;
    bits_ = bits;
    width_ = width;
    height_ = height;
    std::fill(bits_, bits_ + static_cast<size_t>(std::max(width, 1)) * std::max(height, 1), 0u);
    SetClip(RECT{0, 0, width, height});
    return true;
}

void Canvas::SetClip(const RECT& clip) {
    RECT all{0, 0, width_, height_};
    if (!IntersectRect(&clip_, &clip, &all)) clip_ = RECT{};
    HRGN region = CreateRectRgnIndirect(&clip_);
    SelectClipRgn(dc_, region);
    DeleteObject(region);
}

void Canvas::Clear() {
    GdiFlush();
    for (LONG y = clip_.top; y < clip_.bottom; ++y) {
        std::fill(bits_ + static_cast<size_t>(y) * width_ + clip_.left,
                  bits_ + static_cast<size_t>(y) * width_ + clip_.right, 0u);
    }
}

void Canvas::BlendPixel(uint32_t& pixel, Argb color, uint32_t coverage) {
    uint32_t alpha = ((color >> 24) * coverage + 127) / 255;
    if (alpha == 0) return;
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        uint32_t source = (((color >> shift) & 0xFF) * alpha + 127) / 255;
        uint32_t dest = (pixel >> shift) & 0xFF;
        out |= ((source + dest * (255 - alpha) / 255) & 0xFF) << shift;
    }
    uint32_t destAlpha = pixel >> 24;
    out |= ((alpha + destAlpha * (255 - alpha) / 255) & 0xFF) << 24;
    pixel = out;
}

void Canvas::FillColor(const RECT& area, Argb color) {
    RECT part;
    if (!IntersectRect(&part, &area, &clip_)) return;
    GdiFlush();
    for (LONG y = part.top; y < part.bottom; ++y) {
        uint32_t* row = bits_ + static_cast<size_t>(y) * width_;
        if (color >> 24 == 0xFF) {
            std::fill(row + part.left, row + part.right, color);
            continue;
        }
        for (LONG x = part.left; x < part.right; ++x) BlendPixel(row[x], color, 255);
    }
}

void Canvas::DrawBitmap(HBITMAP bitmap, int width, int height, const RECT& area) {
    HDC source = CreateCompatibleDC(dc_);
    HGDIOBJ old = SelectObject(source, bitmap);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    GdiAlphaBlend(dc_, area.left, area.top, area.right - area.left, area.bottom - area.top, source,
                  0, 0, width, height, blend);
    SelectObject(source, old);
    DeleteDC(source);
}

void Canvas::PaintText(const std::wstring& text, HFONT font, Argb color, const RECT& area,
                       UINT format) {
    RECT part;
    if (text.empty() || !IntersectRect(&part, &area, &clip_)) return;
    // GDI text ignores alpha: draw white on black into a scratch surface and use
    // its brightness as the coverage of the text colour.
    int w = area.right - area.left;
    int h = area.bottom - area.top;
    HDC scratchDc = CreateCompatibleDC(dc_);
    uint32_t* mask = nullptr;
    HBITMAP scratch = CreateDibSection32(scratchDc, w, h, &mask);
    if (!scratch) {
        DeleteDC(scratchDc);
        return;
    }
    HGDIOBJ oldBitmap = SelectObject(scratchDc, scratch);
    HGDIOBJ oldFont = SelectObject(scratchDc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    std::fill(mask, mask + static_cast<size_t>(w) * h, 0u);
    SetBkMode(scratchDc, TRANSPARENT);
    SetTextColor(scratchDc, RGB(255, 255, 255));
    RECT local{0, 0, w, h};
    ::DrawTextW(scratchDc, text.c_str(), static_cast<int>(text.size()), &local, format);
    GdiFlush();
    for (LONG y = part.top; y < part.bottom; ++y) {
        for (LONG x = part.left; x < part.right; ++x) {
            uint32_t m = mask[static_cast<size_t>(y - area.top) * w + (x - area.left)];
            uint32_t coverage = ((m & 0xFF) + ((m >> 8) & 0xFF) + ((m >> 16) & 0xFF)) / 3;
            if (coverage) BlendPixel(bits_[static_cast<size_t>(y) * width_ + x], color, coverage);
        }
    }
    SelectObject(scratchDc, oldFont);
    SelectObject(scratchDc, oldBitmap);
    DeleteObject(scratch);
    DeleteDC(scratchDc);
}

}  // namespace skin
