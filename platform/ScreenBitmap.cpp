#include "platform/ScreenBitmap.h"

#include <cstring>

#include "core/composition/BmpFileHeader.h"

namespace {

// Where the pixels start in the section: a DIB's offset must be a multiple of four
// bytes, and the BMP headers end right at the pixels.
constexpr DWORD kPixelOffset = (kBmpHeaderSize + 3) & ~static_cast<DWORD>(3);

}  // namespace

std::unique_ptr<TScreenBitmap> TScreenBitmap::Create(int width, int height) {
  if (!IsBitmapSizeAcceptable(width, height)) return nullptr;
  std::unique_ptr<TScreenBitmap> result(new TScreenBitmap());
  const uint64_t sectionBytes = kPixelOffset + static_cast<uint64_t>(width) * 4 * static_cast<uint64_t>(height);
  result->section_.Reset(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE,
                                            static_cast<DWORD>(sectionBytes >> 32), static_cast<DWORD>(sectionBytes),
                                            nullptr));
  if (!result->section_.Valid()) return nullptr;
  result->view_.Reset(MapViewOfFile(result->section_.Get(), FILE_MAP_ALL_ACCESS, 0, 0, 0));
  if (!result->view_.Valid()) return nullptr;
  uint8_t* const header = static_cast<uint8_t*>(result->view_.Get()) + kPixelOffset - kBmpHeaderSize;
  if (!WriteBmpFileHeader(header, width, height)) return nullptr;
  result->fileImage_ = header;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const HBITMAP bitmap =
      CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, result->section_.Get(), kPixelOffset);
  result->picture_.emplace(bitmap);
  if (!result->picture_->Valid() || !bits) return nullptr;
  result->pixels_ = static_cast<uint8_t*>(bits);
  result->width_ = width;
  result->height_ = height;
  return result;
}

TScreenBitmap::~TScreenBitmap() = default;

size_t TScreenBitmap::FileImageSize() const {
  return kBmpHeaderSize + static_cast<size_t>(Stride()) * static_cast<size_t>(height_);
}

std::unique_ptr<TScreenBitmap> TScreenBitmap::Copy() const {
  std::unique_ptr<TScreenBitmap> copy = Create(width_, height_);
  if (!copy) return nullptr;
  GdiFlush();  // finish any drawing still queued on this bitmap
  std::memcpy(copy->pixels_, pixels_, static_cast<size_t>(Stride()) * height_);
  return copy;
}

void TScreenBitmap::Fill(uint32_t color) {
  GdiFlush();
  // The DIB stores blue in the low byte; the colour has red there.
  const uint32_t pixel = ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
  uint32_t* row = reinterpret_cast<uint32_t*>(pixels_);
  for (int x = 0; x < width_; ++x) row[x] = pixel;
  for (int y = 1; y < height_; ++y)
    std::memcpy(pixels_ + static_cast<size_t>(Stride()) * y, pixels_, static_cast<size_t>(Stride()));
}

void TScreenBitmap::CopyBlock(const TBlockCopy& copy) {
  BitBlt(Dc(), copy.DestX, copy.DestY, copy.Source.Width, copy.Source.Height, Dc(), copy.Source.X,
         copy.Source.Y, SRCCOPY);
}

uint32_t TScreenBitmap::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  GdiFlush();
  return reinterpret_cast<const uint32_t*>(pixels_ + static_cast<size_t>(Stride()) * y)[x] & 0xFFFFFF;
}
