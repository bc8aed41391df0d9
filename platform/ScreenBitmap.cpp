#include "platform/ScreenBitmap.h"

#include <cstring>

std::unique_ptr<TScreenBitmap> TScreenBitmap::Create(int width, int height) {
  if (!IsBitmapSizeAcceptable(width, height)) return nullptr;
  std::unique_ptr<TScreenBitmap> result(new TScreenBitmap());
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  result->bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!result->bitmap_ || !bits) return nullptr;
  result->dc_ = CreateCompatibleDC(nullptr);
  if (!result->dc_) return nullptr;
  result->oldBitmap_ = SelectObject(result->dc_, result->bitmap_);
  result->pixels_ = static_cast<uint8_t*>(bits);
  result->width_ = width;
  result->height_ = height;
  return result;
}

TScreenBitmap::~TScreenBitmap() {
  if (dc_) {
    if (oldBitmap_) SelectObject(dc_, oldBitmap_);
    DeleteDC(dc_);
  }
  if (bitmap_) DeleteObject(bitmap_);
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
  BitBlt(dc_, copy.DestX, copy.DestY, copy.Source.Width, copy.Source.Height, dc_, copy.Source.X,
         copy.Source.Y, SRCCOPY);
}

uint32_t TScreenBitmap::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  GdiFlush();
  return reinterpret_cast<const uint32_t*>(pixels_ + static_cast<size_t>(Stride()) * y)[x] & 0xFFFFFF;
}
