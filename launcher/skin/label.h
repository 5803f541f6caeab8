#pragma once

#include "skin/control.h"

namespace skin {

// Static text (font of the window's font table, colour, horizontal alignment,
// centred vertically on one line) over an optional background picture.
class Label : public Control {
  public:
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;

  protected:
    void PaintContent(Canvas& canvas) override;

  private:
    std::wstring text_;
    Argb textColor_ = 0xFF000000;
    int font_ = -1;
    UINT align_ = DT_LEFT;
};

}  // namespace skin
