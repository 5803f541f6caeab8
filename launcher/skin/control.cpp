#include "skin/control.h"

#include "skin/canvas.h"
#include "skin/image.h"

#include <cwchar>

namespace skin {

void Control::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    if (host_) host_->InvalidateLayout();
}

void Control::SetPos(const RECT& rect) {
    placed_ = true;
    placedRect_ = rect;
    rect_ = rect;
    if (host_) host_->InvalidateLayout();
}

void Control::SetAttribute(const std::wstring& name, const std::wstring& value) {
    if (name == L"name") {
        name_ = value;
    } else if (name == L"float") {
        floating_ = ParseBool(value);
    } else if (name == L"pos") {
        floatPos_ = ParseRect(value);
    } else if (name == L"width") {
        fixedWidth_ = std::wcstol(value.c_str(), nullptr, 10);
    } else if (name == L"height") {
        fixedHeight_ = std::wcstol(value.c_str(), nullptr, 10);
    } else if (name == L"bkcolor") {
        ParseColor(value, bkColor_);
    } else if (name == L"bkimage") {
        bkImage_ = ImageFileName(value);
    }
}

void Control::AddChild(std::unique_ptr<Control> child) { children_.push_back(std::move(child)); }

void Control::Attach(ControlHost* host) {
    host_ = host;
    for (auto& child : children_) child->Attach(host);
    OnAttached();
}

Control* Control::FindByName(const std::wstring& name) {
    if (name_ == name) return this;
    for (auto& child : children_) {
        if (Control* found = child->FindByName(name)) return found;
    }
    return nullptr;
}

Control* Control::FindAt(POINT point) {
    if (!visible_ || !PtInRect(&rect_, point)) return nullptr;
    for (auto child = children_.rbegin(); child != children_.rend(); ++child) {
        if (Control* found = (*child)->FindAt(point)) return found;
    }
    return this;
}

void Control::SetMouseState(bool, bool) {}

void Control::Arrange(const RECT& offered) {
    rect_ = placed_ ? placedRect_ : offered;
    ArrangeChildren();
}

void Control::Paint(Canvas& canvas, const RECT& dirty) {
    RECT overlap;
    if (!visible_ || !IntersectRect(&overlap, &rect_, &dirty)) return;
    PaintContent(canvas);
    for (auto& child : children_) child->Paint(canvas, dirty);
}

void Control::Invalidate() {
    if (host_) host_->Invalidate(rect_);
}

void Control::PaintContent(Canvas& canvas) {
    if (bkColor_ >> 24) canvas.FillColor(rect_, bkColor_);
    if (bkImage_.empty()) return;
    std::shared_ptr<Image> image = LoadPackageImage(bkImage_);
    if (image) {
        canvas.DrawBitmap(image->Frames().front().bitmap, image->Width(), image->Height(), rect_);
    }
}

void Control::ArrangeChildren() {
    for (auto& child : children_) {
        if (child->floating_) child->Arrange(FloatingRect(*child));
    }
}

RECT Control::FloatingRect(const Control& child) const {
    RECT r{rect_.left + child.floatPos_.left, rect_.top + child.floatPos_.top,
           rect_.left + child.floatPos_.right, rect_.top + child.floatPos_.bottom};
    if (child.fixedWidth_ > 0) r.right = r.left + child.fixedWidth_;
    if (child.fixedHeight_ > 0) r.bottom = r.top + child.fixedHeight_;
    return r;
}

}  // namespace skin
