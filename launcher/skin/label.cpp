#include "skin/label.h"

#include "skin/canvas.h"

#include <cwchar>

namespace skin {

void Label::SetAttribute(const std::wstring& name, const std::wstring& value) {
    if (name == L"text") {
        text_ = value;
    } else if (name == L"textcolor") {
        ParseColor(value, textColor_);
    } else if (name == L"font") {
        font_ = std::wcstol(value.c_str(), nullptr, 10);
    } else if (name == L"align") {
        if (value == L"center") {
            align_ = DT_CENTER;
        } else if (value == L"right") {
            align_ = DT_RIGHT;
        } else {
            align_ = DT_LEFT;
        }
    } else {
        Control::SetAttribute(name, value);
    }
}

void Label::PaintContent(Canvas& canvas) {
    Control::PaintContent(canvas);
    HFONT font = host_ ? host_->Font(font_) : nullptr;
    canvas.PaintText(text_, font, textColor_, rect_,
                     align_ | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace skin
