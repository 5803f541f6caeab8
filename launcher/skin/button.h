#pragma once

#include "skin/control.h"

namespace skin {

// Clickable picture with one image at rest, one under the mouse and one while
// pressed with the mouse over it.
class Button : public Control {
  public:
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    bool IsClickable() const override { return true; }
    void SetMouseState(bool hot, bool pressed) override;

  protected:
    void PaintContent(Canvas& canvas) override;

  private:
    std::wstring normalImage_;
    std::wstring hotImage_;
    std::wstring pushedImage_;
    bool hot_ = false;
    bool pressed_ = false;
};

}  // namespace skin
