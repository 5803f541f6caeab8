#include "skin/image.h"

#include "skin/dib_section.h"
#include "skin/skin_package.h"

#include <wincodec.h>

#include <cstring>
#include <map>

namespace skin {
namespace {

// Releases a COM interface when it goes out of scope.
template <typename T>
class ComPtr {
  public:
    ComPtr() = default;
    ~ComPtr() {
        if (p_) p_->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T** operator&() { return &p_; }
    T* operator->() const { return p_; }
    T* get() const { return p_; }

  private:
    T* p_ = nullptr;
};

// GIF delays are in hundredths of a second; like browsers, treat tiny ones as 100 ms.
constexpr UINT kMinimumDelayMs = 20;
constexpr UINT kDefaultDelayMs = 100;
constexpr unsigned kDisposeToBackground = 2;
constexpr unsigned kDisposeToPrevious = 3;

using Pixels = std::vector<uint32_t>;

unsigned ReadMetadata(IWICMetadataQueryReader* reader, const wchar_t* name) {
    if (!reader) return 0;
    PROPVARIANT value;
    PropVariantInit(&value);
    unsigned result = 0;
    if (SUCCEEDED(reader->GetMetadataByName(name, &value))) {
        if (value.vt == VT_UI1) result = value.bVal;
        if (value.vt == VT_UI2) result = value.uiVal;
    }
    PropVariantClear(&value);
    return result;
}

bool ReadPixels(IWICImagingFactory* factory, IWICBitmapSource* source, UINT& width, UINT& height,
                Pixels& pixels) {
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(source, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone,
                                     nullptr, 0, WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0) {
        return false;
    }
    pixels.assign(static_cast<size_t>(width) * height, 0);
    return SUCCEEDED(converter->CopyPixels(nullptr, width * 4, width * height * 4,
                                           reinterpret_cast<BYTE*>(pixels.data())));
}

HBITMAP MakeBitmap(int width, int height, const Pixels& pixels) {
    uint32_t* bits = nullptr;
    HBITMAP bitmap = CreateDibSection32(nullptr, width, height, &bits);
    if (bitmap) std::memcpy(bits, pixels.data(), pixels.size() * sizeof(uint32_t));
    return bitmap;
}

// Premultiplied source-over of src (w x h) onto dst (dstWidth x dstHeight) at (x, y).
void Compose(Pixels& dst, int dstWidth, int dstHeight, const Pixels& src, int x, int y, int w,
             int h) {
    for (int row = 0; row < h && y + row < dstHeight; ++row) {
        for (int col = 0; col < w && x + col < dstWidth; ++col) {
            uint32_t s = src[static_cast<size_t>(row) * w + col];
            uint32_t alpha = s >> 24;
            if (alpha == 0) continue;
            uint32_t& d = dst[static_cast<size_t>(y + row) * dstWidth + x + col];
            if (alpha == 255) {
                d = s;
                continue;
            }
            uint32_t out = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                uint32_t sc = (s >> shift) & 0xFF;
                uint32_t dc = (d >> shift) & 0xFF;
                out |= ((sc + dc * (255 - alpha) / 255) & 0xFF) << shift;
            }
            d = out;
        }
    }
}

void ClearArea(Pixels& canvas, int width, int height, const RECT& area) {
    for (int row = area.top; row < area.bottom && row < height; ++row) {
        for (int col = area.left; col < area.right && col < width; ++col) {
            canvas[static_cast<size_t>(row) * width + col] = 0;
        }
    }
}

std::shared_ptr<Image> DecodeGif(IWICImagingFactory* factory, IWICBitmapDecoder* decoder,
                                 UINT frameCount) {
    ComPtr<IWICMetadataQueryReader> screenReader;
    decoder->GetMetadataQueryReader(&screenReader);
    int width = static_cast<int>(ReadMetadata(screenReader.get(), L"/logscrdesc/Width"));
    int height = static_cast<int>(ReadMetadata(screenReader.get(), L"/logscrdesc/Height"));

    std::vector<Image::Frame> frames;
    Pixels canvas;
    Pixels saved;
    unsigned previousDisposal = 0;
    RECT previousArea{};
    for (UINT i = 0; i < frameCount; ++i) {
        ComPtr<IWICBitmapFrameDecode> frame;
        if (FAILED(decoder->GetFrame(i, &frame))) break;
        ComPtr<IWICMetadataQueryReader> reader;
        frame->GetMetadataQueryReader(&reader);
        int left = static_cast<int>(ReadMetadata(reader.get(), L"/imgdesc/Left"));
        int top = static_cast<int>(ReadMetadata(reader.get(), L"/imgdesc/Top"));
        UINT delay = ReadMetadata(reader.get(), L"/grctlext/Delay") * 10;
        unsigned disposal = ReadMetadata(reader.get(), L"/grctlext/Disposal");
        UINT w = 0, h = 0;
        Pixels pixels;
        if (!ReadPixels(factory, frame.get(), w, h, pixels)) break;
        if (width <= 0 || height <= 0) {
            width = static_cast<int>(w);
            height = static_cast<int>(h);
        }
        if (canvas.empty()) canvas.assign(static_cast<size_t>(width) * height, 0);

        if (previousDisposal == kDisposeToBackground) {
            ClearArea(canvas, width, height, previousArea);
        } else if (previousDisposal == kDisposeToPrevious && !saved.empty()) {
            canvas = saved;
        }
        if (disposal == kDisposeToPrevious) saved = canvas;
        Compose(canvas, width, height, pixels, left, top, static_cast<int>(w), static_cast<int>(h));
        previousDisposal = disposal;
        previousArea = RECT{left, top, left + static_cast<LONG>(w), top + static_cast<LONG>(h)};

        HBITMAP bitmap = MakeBitmap(width, height, canvas);
        if (!bitmap) break;
        frames.push_back(Image::Frame{bitmap, delay < kMinimumDelayMs ? kDefaultDelayMs : delay});
    }
    if (frames.empty()) return nullptr;
    return std::make_shared<Image>(width, height, std::move(frames));
}

std::shared_ptr<Image> DecodeStill(IWICImagingFactory* factory, IWICBitmapDecoder* decoder,
                                   UINT frameCount) {
    // An icon holds several sizes; take the widest.
    UINT chosen = 0;
    UINT chosenWidth = 0;
    for (UINT i = 0; i < frameCount; ++i) {
        ComPtr<IWICBitmapFrameDecode> frame;
        UINT w = 0, h = 0;
        if (SUCCEEDED(decoder->GetFrame(i, &frame)) && SUCCEEDED(frame->GetSize(&w, &h)) &&
            w > chosenWidth) {
            chosen = i;
            chosenWidth = w;
        }
    }
    ComPtr<IWICBitmapFrameDecode> frame;
    UINT w = 0, h = 0;
    Pixels pixels;
    if (FAILED(decoder->GetFrame(chosen, &frame)) ||
        !ReadPixels(factory, frame.get(), w, h, pixels)) {
        return nullptr;
    }
    HBITMAP bitmap = MakeBitmap(static_cast<int>(w), static_cast<int>(h), pixels);
    if (!bitmap) return nullptr;
    return std::make_shared<Image>(static_cast<int>(w), static_cast<int>(h),
                                   std::vector<Image::Frame>{Image::Frame{bitmap, 0}});
}

}  // namespace

Image::Image(int width, int height, std::vector<Frame> frames)
    : width_(width), height_(height), frames_(std::move(frames)) {}

Image::~Image() {
    for (const Frame& frame : frames_) DeleteObject(frame.bitmap);
}

std::shared_ptr<Image> DecodeImage(const std::string& data) {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    GUID format{};
    UINT frameCount = 0;
    if (data.empty() || data.size() > MAXDWORD ||
        FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) ||
        FAILED(factory->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(data.data())),
                                            static_cast<DWORD>(data.size()))) ||
        FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr,
                                                WICDecodeMetadataCacheOnDemand, &decoder)) ||
        FAILED(decoder->GetContainerFormat(&format)) ||
        FAILED(decoder->GetFrameCount(&frameCount)) || frameCount == 0) {
        return nullptr;
    }
    if (IsEqualGUID(format, GUID_ContainerFormatGif)) {
        return DecodeGif(factory.get(), decoder.get(), frameCount);
    }
    return DecodeStill(factory.get(), decoder.get(), frameCount);
}

std::shared_ptr<Image> LoadPackageImage(const std::wstring& name) {
    static std::map<std::wstring, std::shared_ptr<Image>> cache;
    auto cached = cache.find(name);
    if (cached != cache.end()) return cached->second;
    std::string data;
    std::shared_ptr<Image> image = ReadPackageFile(name, data) ? DecodeImage(data) : nullptr;
    if (image) cache[name] = image;
    return image;
}

}  // namespace skin
