#pragma once

#include "skin/control.h"
#include "skin/font_table.h"

#include <windows.h>

#include <memory>
#include <string>

namespace skin {

// The frame settings of a layout's root "Window" element.
struct WindowAttributes {
    SIZE size{};           // initial size; 0 keeps the window's own
    RECT caption{};        // drag area: left, top, right margin, bottom
    RECT sizebox{};        // resize border widths
    SIZE maxinfo{};        // largest drag size; 0 means no limit
    bool bktrans = false;  // transparent background
    bool showshadow = false;
    RECT shadowcorner{};  // width of the drop shadow on each side
};

// Everything a layout file describes.
struct LayoutDocument {
    WindowAttributes window;
    std::unique_ptr<FontTable> fonts;
    std::unique_ptr<Control> root;
};

// Builds a document from layout markup (UTF-8). False when the markup is
// malformed, its root is not "Window" or it holds no control.
bool ParseLayout(const std::string& markup, LayoutDocument& document);

}  // namespace skin
