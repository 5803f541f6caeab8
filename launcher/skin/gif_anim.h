#pragma once

#include "skin/control.h"

#include <memory>

namespace skin {

class Image;

// Animated GIF from "bkimage"; with autoplay it plays by itself, frame after
// frame with each frame's own delay, looping. With "autosize" it takes the
// picture's size.
class GifAnim : public Control {
  public:
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    void SetAutoPlay(bool autoPlay);
    size_t FrameCount() const;
    size_t CurrentFrame() const { return frame_; }
    void OnTimer() override;

  protected:
    void OnAttached() override;
    void PaintContent(Canvas& canvas) override;

  private:
    void Load();
    void Play();

    std::shared_ptr<Image> image_;
    size_t frame_ = 0;
    bool autoPlay_ = false;
    bool autoSize_ = false;
    bool playing_ = false;
};

}  // namespace skin
