// Reading what the display shows: pixels of the screen in a window's client
// coordinates, as a screenshot would have them.
#ifndef TESTS_CEF_VIEW_SCREEN_PIXELS_H_
#define TESTS_CEF_VIEW_SCREEN_PIXELS_H_

#include <windows.h>

#include <vector>

// The colour on screen at client point (x, y) of |window|.
COLORREF ScreenPixel(HWND window, int x, int y);

// True when the colour at (x, y) of |window| is |expected| within a small
// tolerance per channel (the page arrives as JPEG pictures).
bool ShowsColour(HWND window, int x, int y, COLORREF expected);

// The colours on screen of the client rectangle |area| of |window|, row by
// row.
std::vector<COLORREF> ScreenArea(HWND window, const RECT& area);

#endif  // TESTS_CEF_VIEW_SCREEN_PIXELS_H_
