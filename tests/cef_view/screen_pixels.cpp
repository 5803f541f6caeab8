#include "screen_pixels.h"

#include <cstdlib>

COLORREF ScreenPixel(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

bool ShowsColour(HWND window, int x, int y, COLORREF expected) {
    constexpr int kTolerance = 40;
    const COLORREF actual = ScreenPixel(window, x, y);
    return std::abs(GetRValue(actual) - GetRValue(expected)) <= kTolerance &&
           std::abs(GetGValue(actual) - GetGValue(expected)) <= kTolerance &&
           std::abs(GetBValue(actual) - GetBValue(expected)) <= kTolerance;
}

std::vector<COLORREF> ScreenArea(HWND window, const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    POINT origin{area.left, area.top};
    ClientToScreen(window, &origin);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    std::vector<COLORREF> colours;
    const auto* pixels = static_cast<const BYTE*>(bits);
    for (int i = 0; i < width * height; ++i) {
        colours.push_back(RGB(pixels[i * 4 + 2], pixels[i * 4 + 1], pixels[i * 4]));
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return colours;
}
