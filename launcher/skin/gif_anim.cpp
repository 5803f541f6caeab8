#include "skin/gif_anim.h"

#include "skin/canvas.h"
#include "skin/image.h"

namespace skin {

void GifAnim::SetAttribute(const std::wstring& name, const std::wstring& value) {
    if (name == L"autoplay") {
        autoPlay_ = ParseBool(value);
    } else if (name == L"autosize") {
        autoSize_ = ParseBool(value);
    } else {
        Control::SetAttribute(name, value);
    }
}

void GifAnim::SetAutoPlay(bool autoPlay) {
    autoPlay_ = autoPlay;
    Play();
}

size_t GifAnim::FrameCount() const { return image_ ? image_->Frames().size() : 0; }

void GifAnim::OnAttached() {
    Load();
    Play();
}

void GifAnim::Load() {
    image_ = bkImage_.empty() ? nullptr : LoadPackageImage(bkImage_);
    if (image_ && autoSize_) {
        fixedWidth_ = image_->Width();
        fixedHeight_ = image_->Height();
    }
}

void GifAnim::Play() {
    if (playing_ || !autoPlay_ || !host_ || FrameCount() < 2) return;
    playing_ = true;
    host_->StartTimer(this, image_->Frames()[frame_].delayMs);
}

void GifAnim::OnTimer() {
    if (!autoPlay_ || !image_) {
        playing_ = false;
        return;
    }
    frame_ = (frame_ + 1) % image_->Frames().size();
    Invalidate();
    host_->StartTimer(this, image_->Frames()[frame_].delayMs);
}

void GifAnim::PaintContent(Canvas& canvas) {
    if (bkColor_ >> 24) canvas.FillColor(rect_, bkColor_);
    if (!image_) return;
    canvas.DrawBitmap(image_->Frames()[frame_].bitmap, image_->Width(), image_->Height(), rect_);
}

}  // namespace skin
