#include "core/composition/PixelSpan.h"

#include <new>

#include "core/composition/PictureGeometry.h"

bool TPixelBuffer::Allocate(int width, int height) {
  Reset();
  if (!IsBitmapSizeAcceptable(width, height)) return false;
  // Not value-initialised: the decoder writes every byte, and clearing a 24 MP
  // picture first would cost as much as a pass over it.
  pixels_.reset(new (std::nothrow) uint8_t[static_cast<size_t>(width) * 4 * static_cast<size_t>(height)]);
  if (!pixels_) return false;
  width_ = width;
  height_ = height;
  return true;
}

void TPixelBuffer::Reset() {
  pixels_.reset();
  width_ = 0;
  height_ = 0;
}
