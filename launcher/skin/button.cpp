#include "skin/button.h"

#include "skin/canvas.h"
#include "skin/image.h"

namespace skin {

void Button::SetAttribute(const std::wstring& name, const std::wstring& value) {
    if (name == L"normalimage") {
        normalImage_ = ImageFileName(value);
    } else if (name == L"hotimage") {
        hotImage_ = ImageFileName(value);
    } else if (name == L"pushedimage") {
        pushedImage_ = ImageFileName(value);
    } else {
        Control::SetAttribute(name, value);
    }
}

void Button::SetMouseState(bool hot, bool pressed) {
    if (hot_ == hot && pressed_ == pressed) return;
    hot_ = hot;
    pressed_ = pressed;
    Invalidate();
}

void Button::PaintContent(Canvas& canvas) {
    Control::PaintContent(canvas);
    const std::wstring* name = &normalImage_;
    if (hot_ && pressed_ && !pushedImage_.empty()) {
        name = &pushedImage_;
    } else if (hot_ && !hotImage_.empty()) {
        name = &hotImage_;
    }
    std::shared_ptr<Image> image = LoadPackageImage(*name);
    if (image) {
        canvas.DrawBitmap(image->Frames().front().bitmap, image->Width(), image->Height(), rect_);
    }
}

}  // namespace skin
