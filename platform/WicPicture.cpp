#include "platform/WicPicture.h"

#include <windows.h>
#include <wincodec.h>

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "core/composition/ExifOrientation.h"
#include "core/trace/FunStatus.h"
#include "core/catalogue/PictureExtensions.h"
#include "core/composition/PictureGeometry.h"
#include "platform/HandleHolders.h"
#include "platform/WicSourceTransform.h"
#include "platform/WinText.h"

namespace {

// Rows converted per call when a full-size decode goes through a converter.
constexpr int kDecodeBandRows = 256;

// Owns one reference to a COM interface.
template <class T>
class TComPtr {
 public:
  TComPtr() = default;
  ~TComPtr() { Reset(); }
  TComPtr(const TComPtr&) = delete;
  TComPtr& operator=(const TComPtr&) = delete;
  T** Receive() {
    Reset();
    return &pointer_;
  }
  void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }
  T* operator->() const { return pointer_; }
  T* Get() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  void Reset() {
    if (pointer_) pointer_->Release();
    pointer_ = nullptr;
  }

 private:
  T* pointer_ = nullptr;
};

HRESULT CreateFactory(TComPtr<IWICImagingFactory>& factory) {
  return CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                          factory.ReceiveVoid());
}

// Pixel formats without an alpha channel: pictures in them need no look at alpha.
bool FormatIsOpaque(const WICPixelFormatGUID& format) {
  static const GUID* const kOpaque[] = {
      &GUID_WICPixelFormat24bppBGR,    &GUID_WICPixelFormat24bppRGB,    &GUID_WICPixelFormat32bppBGR,
      &GUID_WICPixelFormat8bppGray,    &GUID_WICPixelFormat16bppGray,   &GUID_WICPixelFormat48bppRGB,
      &GUID_WICPixelFormatBlackWhite,  &GUID_WICPixelFormat2bppGray,    &GUID_WICPixelFormat4bppGray,
      &GUID_WICPixelFormat16bppBGR555, &GUID_WICPixelFormat16bppBGR565, &GUID_WICPixelFormat32bppCMYK,
  };
  for (const GUID* opaque : kOpaque)
    if (IsEqualGUID(format, *opaque)) return true;
  return false;
}

bool AllPixelsOpaque(const TPixelBuffer& pixels) {
  const uint8_t* p = pixels.Pixels();
  const size_t count = static_cast<size_t>(pixels.Width()) * pixels.Height();
  for (size_t i = 0; i < count; ++i)
    if (p[i * 4 + 3] != 255) return false;
  return true;
}

// The first bytes of the file, for the orientation tag; empty when it cannot be read.
std::vector<uint8_t> ReadFileHead(const std::wstring& fileName, size_t limit) {
  std::vector<uint8_t> head;
  const THandleHolder file(CreateFileW(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return head;
  head.resize(limit);
  size_t filled = 0;
  while (filled < limit) {
    DWORD read = 0;
    if (!ReadFile(file.Get(), head.data() + filled, static_cast<DWORD>(limit - filled), &read, nullptr) || read == 0)
      break;
    filled += read;
  }
  head.resize(filled);
  return head;
}

// 24-bit rows packed at the start of the buffer spread to 32 bits in place, from the
// end backwards so that no pixel is overwritten before it is read.
void SpreadBgrToBgra(TPixelBuffer& pixels) {
  uint8_t* p = pixels.Pixels();
  for (size_t i = static_cast<size_t>(pixels.Width()) * pixels.Height(); i-- > 0;) {
    const uint32_t pixel = 0xFF000000u | p[i * 3] | p[i * 3 + 1] << 8 | p[i * 3 + 2] << 16;
    std::memcpy(p + i * 4, &pixel, 4);  // one store, after the pixel's three bytes are read
  }
}

// Formats a decoder can copy straight into the buffer: 32-bit blue first, and 24-bit
// BGR (most photographs), whose rows are spread to 32 bits afterwards.
bool CopiesDirectly(const WICPixelFormatGUID& format) {
  return IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA) || IsEqualGUID(format, GUID_WICPixelFormat32bppBGR) ||
         IsEqualGUID(format, GUID_WICPixelFormat24bppBGR);
}

// Bytes per row a decoder writes for a directly copied format.
UINT DirectStride(const WICPixelFormatGUID& format, int width) {
  return static_cast<UINT>(width) * (IsEqualGUID(format, GUID_WICPixelFormat24bppBGR) ? 3 : 4);
}

// Turns what a decoder copied in a direct format into 32-bit BGRA with real alpha.
void FinishDirectCopy(const WICPixelFormatGUID& format, TPixelBuffer& pixels) {
  if (IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) {
    SpreadBgrToBgra(pixels);
  } else if (IsEqualGUID(format, GUID_WICPixelFormat32bppBGR)) {
    uint8_t* p = pixels.Pixels();
    for (size_t i = 0, count = static_cast<size_t>(pixels.Width()) * pixels.Height(); i < count; ++i) p[i * 4 + 3] = 255;
  }
}

// The whole frame as 32-bit BGRA into the allocated buffer. A direct format is copied
// by the decoder in one call, with no stage, and the decoder is asked for the frame only
// once (some decode it all again for each part asked for). Any other format goes through
// a converter in bands of rows: it stages the rows it is asked for in the source's
// format, and for the whole picture that stage would be as large as the picture.
HRESULT CopyWholeFrame(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, const WICPixelFormatGUID& stored,
                       TPixelBuffer& pixels) {
  const int width = pixels.Width(), height = pixels.Height();
  if (CopiesDirectly(stored)) {
    const UINT stride = DirectStride(stored, width);
    const HRESULT result = frame->CopyPixels(nullptr, stride, stride * static_cast<UINT>(height), pixels.Pixels());
    if (SUCCEEDED(result)) FinishDirectCopy(stored, pixels);
    return result;
  }
  TComPtr<IWICFormatConverter> converter;
  HRESULT result = factory->CreateFormatConverter(converter.Receive());
  if (SUCCEEDED(result))
    result = converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom);
  for (int top = 0; SUCCEEDED(result) && top < height; top += kDecodeBandRows) {
    const WICRect band = {0, top, width, std::min(kDecodeBandRows, height - top)};
    result = converter->CopyPixels(&band, static_cast<UINT>(pixels.Stride()),
                                   static_cast<UINT>(pixels.Stride() * band.Height),
                                   pixels.Pixels() + pixels.Stride() * top);
  }
  return result;
}

}  // namespace

bool DecodeThroughSourceTransform(wic::IWICBitmapSourceTransform* transform, int fullWidth,
                                  int fullHeight, int requestedWidth, int requestedHeight,
                                  TPixelBuffer& pixels) {
  pixels.Reset();
  if (!transform || requestedWidth < 1 || requestedHeight < 1) return false;
  UINT width = static_cast<UINT>(requestedWidth), height = static_cast<UINT>(requestedHeight);
  if (FAILED(transform->GetClosestSize(&width, &height))) return false;
  const bool smaller = static_cast<int64_t>(width) < fullWidth || static_cast<int64_t>(height) < fullHeight;
  const bool enough = width >= static_cast<UINT>(requestedWidth) && height >= static_cast<UINT>(requestedHeight);
  if (!smaller || !enough || !IsBitmapSizeAcceptable(width, height)) return false;
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
  if (FAILED(transform->GetClosestPixelFormat(&format)) || !CopiesDirectly(format)) return false;
  if (!pixels.Allocate(static_cast<int>(width), static_cast<int>(height))) return false;
  const UINT stride = DirectStride(format, static_cast<int>(width));
  const HRESULT result = transform->CopyPixels(nullptr, width, height, &format, WICBitmapTransformRotate0,
                                               stride, stride * height, pixels.Pixels());
  if (FAILED(result)) {
    pixels.Reset();
    return false;
  }
  FinishDirectCopy(format, pixels);
  return true;
}

struct TWicPictureFile::TInterfaces {
  TComPtr<IWICImagingFactory> Factory;
  TComPtr<IWICBitmapDecoder> Decoder;
  TComPtr<IWICBitmapFrameDecode> Frame;
  TComPtr<wic::IWICBitmapSourceTransform> Transform;  // empty when the decoder cannot scale
};

TWicPictureFile::TWicPictureFile() : interfaces_(new TInterfaces) {}
TWicPictureFile::~TWicPictureFile() = default;

bool TWicPictureFile::CanDecodeReduced() const { return static_cast<bool>(interfaces_->Transform); }

HRESULT TWicPictureFile::TryOpen(const std::string& fileName) {
  interfaces_.reset(new TInterfaces);
  fileName_ = fileName;
  width_ = height_ = 0;
  orientation_ = 1;
  openedSize_.clear();
  try {
    TInterfaces& com = *interfaces_;
    HRESULT result = CreateFactory(com.Factory);
    if (SUCCEEDED(result)) {
      const std::wstring wide = AnsiToWide(fileName);
      result = com.Factory->CreateDecoderFromFilename(wide.c_str(), nullptr, GENERIC_READ,
                                                      WICDecodeMetadataCacheOnDemand, com.Decoder.Receive());
      if (SUCCEEDED(result)) result = com.Decoder->GetFrame(0, com.Frame.Receive());
    }
    UINT width = 0, height = 0;
    if (SUCCEEDED(result)) result = com.Frame->GetSize(&width, &height);
    openedSize_ = std::to_string(width) + "x" + std::to_string(height);
    // A header may claim any size: one we would not allocate is refused before decoding.
    if (SUCCEEDED(result) && !IsBitmapSizeAcceptable(width, height)) result = WINCODEC_ERR_IMAGESIZEOUTOFRANGE;
    if (FAILED(result)) {
      interfaces_.reset(new TInterfaces);
      return result;
    }
    width_ = static_cast<int>(width);
    height_ = static_cast<int>(height);
    // Not every decoder scales while decoding, and some systems have none that does.
    com.Frame->QueryInterface(wic::IID_IWICBitmapSourceTransform, com.Transform.ReceiveVoid());
    // The orientation comes from the Exif block itself: not every system's metadata
    // reader returns the tag.
    GUID container = {};
    if (SUCCEEDED(com.Decoder->GetContainerFormat(&container)) &&
        IsEqualGUID(container, GUID_ContainerFormatJpeg)) {
      const std::vector<uint8_t> head = ReadFileHead(AnsiToWide(fileName), kJpegOrientationHeadSize);
      orientation_ = JpegOrientation(head.data(), head.size());
    }
    return S_OK;
  } catch (...) {
    interfaces_.reset(new TInterfaces);
    width_ = height_ = 0;
    return E_OUTOFMEMORY;
  }
}

bool TWicPictureFile::Open(const std::string& fileName) {
  FUN_TRACE("TWicPictureFile::Open");
  FUN_GUARD({
    const HRESULT result = TryOpen(fileName);
    if (FAILED(result)) {
      FUN_RAISE("Failed to load picture.", fileName, openedSize_, static_cast<uint32_t>(result));
      return;
    }
  });
  return !trace_.Failed();
}

HRESULT TWicPictureFile::TryDecode(TPixelBuffer& pixels, int requestedWidth, int requestedHeight) {
  pixels.Reset();
  try {
    TInterfaces& com = *interfaces_;
    if (!com.Frame) return E_UNEXPECTED;
    WICPixelFormatGUID stored = {};
    com.Frame->GetPixelFormat(&stored);
    if (com.Transform && requestedWidth > 0 && requestedHeight > 0 &&
        DecodeThroughSourceTransform(com.Transform.Get(), width_, height_, requestedWidth, requestedHeight,
                                     pixels)) {
      opaque_ = FormatIsOpaque(stored) || AllPixelsOpaque(pixels);
      return S_OK;
    }
    const HRESULT result = pixels.Allocate(width_, height_)
                               ? CopyWholeFrame(com.Factory.Get(), com.Frame.Get(), stored, pixels)
                               : E_OUTOFMEMORY;
    if (FAILED(result)) {
      pixels.Reset();
      return result;
    }
    opaque_ = FormatIsOpaque(stored) || AllPixelsOpaque(pixels);
    return S_OK;
  } catch (...) {
    pixels.Reset();
    return E_OUTOFMEMORY;
  }
}

bool TWicPictureFile::Decode(TPixelBuffer& pixels, int requestedWidth, int requestedHeight) {
  FUN_TRACE("TWicPictureFile::Decode");
  FUN_GUARD({
    const HRESULT result = TryDecode(pixels, requestedWidth, requestedHeight);
    if (FAILED(result)) {
      FUN_RAISE("Failed to load picture.", fileName_, "", result == E_UNEXPECTED ? 0 : static_cast<uint32_t>(result));
      return;
    }
  });
  if (trace_.Failed()) pixels.Reset();
  return !trace_.Failed();
}

bool GetWicDecoderPatterns(std::vector<std::string>& patterns) {
  FUN_TRACE("GetWicDecoderPatterns");
  patterns.clear();
  FUN_GUARD({
    TComPtr<IWICImagingFactory> factory;
    TComPtr<IEnumUnknown> components;
    HRESULT result = CreateFactory(factory);
    if (SUCCEEDED(result))
      result = factory->CreateComponentEnumerator(WICDecoder, WICComponentEnumerateDefault, components.Receive());
    if (FAILED(result)) {
      FUN_RAISE("Failed to get image decoders.", "", "", static_cast<uint32_t>(result));
      return;
    }
    TComPtr<IUnknown> component;
    ULONG fetched = 0;
    while (components->Next(1, component.Receive(), &fetched) == S_OK && fetched == 1) {
      TComPtr<IWICBitmapDecoderInfo> decoder;
      if (FAILED(component->QueryInterface(IID_IWICBitmapDecoderInfo, decoder.ReceiveVoid()))) continue;
      UINT length = 0;
      if (FAILED(decoder->GetFileExtensions(0, nullptr, &length)) || length == 0) continue;
      std::wstring extensions(length, L'\0');
      if (FAILED(decoder->GetFileExtensions(length, &extensions[0], &length))) continue;
      extensions.resize(std::wcslen(extensions.c_str()));
      const std::string pattern = DecoderPatternFromExtensions(WideToAnsi(extensions));
      if (!pattern.empty()) patterns.push_back(pattern);
    }
  });
  return !trace_.Failed();
}
