#include "view_frame.h"

#include <wincodec.h>
#include <wincrypt.h>

namespace cef_standin {
namespace {

template <typename T>
class ComRef {
  public:
    ComRef() = default;
    ~ComRef() {
        if (ptr_) ptr_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T** out() { return &ptr_; }
    T* operator->() const { return ptr_; }
    T* get() const { return ptr_; }

  private:
    T* ptr_ = nullptr;
};

bool FromBase64(const std::string& text, std::vector<BYTE>& bytes) {
    DWORD size = 0;
    if (!CryptStringToBinaryA(text.data(), static_cast<DWORD>(text.size()), CRYPT_STRING_BASE64,
                              nullptr, &size, nullptr, nullptr)) {
        return false;
    }
    bytes.resize(size);
    return CryptStringToBinaryA(text.data(), static_cast<DWORD>(text.size()), CRYPT_STRING_BASE64,
                                bytes.data(), &size, nullptr, nullptr) != FALSE;
}

}  // namespace

bool DecodeViewFrame(const std::string& base64, ViewFrame& frame) {
    std::vector<BYTE> bytes;
    if (!FromBase64(base64, bytes) || bytes.empty()) return false;
    ComRef<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(factory.out())))) {
        return false;
    }
    ComRef<IWICStream> stream;
    ComRef<IWICBitmapDecoder> decoder;
    ComRef<IWICBitmapFrameDecode> source;
    ComRef<IWICBitmapSource> converted;
    if (FAILED(factory->CreateStream(stream.out())) ||
        FAILED(stream->InitializeFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()))) ||
        FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr,
                                                WICDecodeMetadataCacheOnDemand, decoder.out())) ||
        FAILED(decoder->GetFrame(0, source.out())) ||
        FAILED(
            WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, source.get(), converted.out()))) {
        return false;
    }
    UINT width = 0;
    UINT height = 0;
    if (FAILED(converted->GetSize(&width, &height)) || width == 0 || height == 0) return false;
    const UINT stride = width * 4;
    std::vector<uint8_t> pixels(static_cast<size_t>(stride) * height);
    if (FAILED(converted->CopyPixels(nullptr, stride, static_cast<UINT>(pixels.size()),
                                     pixels.data()))) {
        return false;
    }
    frame.width = static_cast<int>(width);
    frame.height = static_cast<int>(height);
    frame.pixels.swap(pixels);
    return true;
}

void PaintViewFrame(HDC dc, const RECT& client, const ViewFrame& frame) {
    if (!frame.pixels.empty()) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = frame.width;
        info.bmiHeader.biHeight = -frame.height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        SetDIBitsToDevice(dc, 0, 0, frame.width, frame.height, 0, 0, 0, frame.height,
                          frame.pixels.data(), &info, DIB_RGB_COLORS);
    }
    HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    const RECT right{frame.width, 0, client.right, client.bottom};
    const RECT below{0, frame.height, frame.width, client.bottom};
    if (right.left < right.right) FillRect(dc, &right, white);
    if (below.top < below.bottom) FillRect(dc, &below, white);
}

}  // namespace cef_standin
