#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace skin {

// A decoded picture: one frame, or the composed frames of an animated GIF with
// their delays. Frames are 32-bit premultiplied BGRA DIB sections.
class Image {
  public:
    struct Frame {
        HBITMAP bitmap = nullptr;
        UINT delayMs = 0;
    };

    Image(int width, int height, std::vector<Frame> frames);
    ~Image();
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    const std::vector<Frame>& Frames() const { return frames_; }

  private:
    int width_;
    int height_;
    std::vector<Frame> frames_;
};

// Decodes PNG, GIF (every frame) or ICO (its largest picture) through WIC; the
// thread must have initialised COM. Null when the data cannot be decoded.
std::shared_ptr<Image> DecodeImage(const std::string& data);

// The image of that name in the skin package, decoded once and shared.
std::shared_ptr<Image> LoadPackageImage(const std::wstring& name);

}  // namespace skin
