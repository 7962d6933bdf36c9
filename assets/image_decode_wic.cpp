// The embedded images decoded with Windows' own codecs (WIC), so the Windows program carries no image
// library of its own.

#include <objbase.h>
#include <wincodec.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "assets/image_decode.hpp"

namespace wizlo::assets {

namespace {

// Owns one reference to a COM object.
template <typename T>
class Com {
 public:
  Com() = default;
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;
  ~Com() {
    if (object_) object_->Release();
  }
  T** out() { return &object_; }
  T* operator->() const { return object_; }
  T* get() const { return object_; }

 private:
  T* object_ = nullptr;
};

void check(HRESULT result, const char* what) {
  if (FAILED(result))
    throw std::runtime_error(std::string("cannot decode an embedded image: ") + what + " failed (HRESULT " +
                             std::to_string(static_cast<unsigned long>(result)) + ")");
}

// One factory for the whole run, made on the first decode. The program initialised COM on this
// thread at start; a caller that did not gets it initialised here.
IWICImagingFactory& factory() {
  static IWICImagingFactory* const made = [] {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    IWICImagingFactory* f = nullptr;
    check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&f)),
          "making the imaging factory");
    return f;
  }();
  return *made;
}

// The decoder for the format the generator wrote, asked for by name: letting WIC try every codec it
// knows on the bytes costs more than decoding a small image. JPEG comes out opaque.
Bitmap decode(std::span<const std::uint8_t> bytes, const GUID& format) {
  IWICImagingFactory& wic = factory();
  Com<IWICStream> stream;
  check(wic.CreateStream(stream.out()), "making a stream");
  check(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size())),
        "reading the image");
  Com<IWICBitmapDecoder> decoder;
  check(wic.CreateDecoder(format, nullptr, decoder.out()), "making a decoder");
  check(decoder->Initialize(stream.get(), WICDecodeMetadataCacheOnDemand), "reading the header");
  Com<IWICBitmapFrameDecode> frame;
  check(decoder->GetFrame(0, frame.out()), "reading the first frame");
  UINT width = 0, height = 0;
  check(frame->GetSize(&width, &height), "reading the size");
  Bitmap bitmap;
  bitmap.width = static_cast<int>(width);
  bitmap.height = static_cast<int>(height);
  bitmap.argb.resize(static_cast<std::size_t>(width) * height);
  WICPixelFormatGUID decoded{};
  check(frame->GetPixelFormat(&decoded), "reading the pixel format");
  if (decoded == GUID_WICPixelFormat24bppBGR) {
    // A JPEG's own pixels, made opaque words here: faster than WIC's general converter.
    const UINT stride = (width * 3 + 3) / 4 * 4;
    std::vector<BYTE> rows(static_cast<std::size_t>(stride) * height);
    check(frame->CopyPixels(nullptr, stride, static_cast<UINT>(rows.size()), rows.data()), "copying the pixels");
    for (UINT y = 0; y < height; ++y)
      for (UINT x = 0; x < width; ++x) {
        const BYTE* bgr = &rows[static_cast<std::size_t>(y) * stride + 3 * x];
        bitmap.argb[static_cast<std::size_t>(y) * width + x] = 0xFF000000u | bgr[2] << 16 | bgr[1] << 8 | bgr[0];
      }
    return bitmap;
  }
  // 32bppBGRA: straight alpha, bytes B, G, R, A, which is an ARGB8888 word on this machine.
  Com<IWICBitmapSource> pixels;
  check(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.get(), pixels.out()), "converting to BGRA");
  check(pixels->CopyPixels(nullptr, width * 4, static_cast<UINT>(bitmap.argb.size() * 4),
                           reinterpret_cast<BYTE*>(bitmap.argb.data())),
        "copying the pixels");
  return bitmap;
}

}  // namespace

Bitmap decodeJpeg(std::span<const std::uint8_t> bytes) { return decode(bytes, GUID_ContainerFormatJpeg); }
Bitmap decodePng(std::span<const std::uint8_t> bytes) { return decode(bytes, GUID_ContainerFormatPng); }
void decodeAhead(std::span<const std::uint8_t>) {}

}  // namespace wizlo::assets
