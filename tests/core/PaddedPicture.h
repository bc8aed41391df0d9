// A picture of 32-bit pixels stored blue, green, red, alpha, with two padding bytes
// after every row, so that a read or write past a row's end shows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/composition/PixelSpan.h"

constexpr uint32_t Bgra(uint8_t b, uint8_t g, uint8_t r, uint8_t a) {
  return b | g << 8 | r << 16 | static_cast<uint32_t>(a) << 24;
}

struct TPaddedPicture {
  int Width;
  int Height;
  std::ptrdiff_t Stride;
  std::vector<uint8_t> Bytes;

  TPaddedPicture(int width, int height, uint32_t bgra = 0)
      : Width(width), Height(height), Stride(width * 4 + 2), Bytes(Stride * height, 0xEE) {
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) Set(x, y, bgra);
  }
  uint8_t* At(int x, int y) { return Bytes.data() + y * Stride + x * 4; }
  const uint8_t* At(int x, int y) const { return Bytes.data() + y * Stride + x * 4; }
  void Set(int x, int y, uint32_t bgra) {
    uint8_t* p = At(x, y);
    for (int c = 0; c < 4; ++c) p[c] = static_cast<uint8_t>(bgra >> (8 * c));
  }
  uint32_t Get(int x, int y) const {
    const uint8_t* p = At(x, y);
    return Bgra(p[0], p[1], p[2], p[3]);
  }
  TPixelSpan Span() { return {Bytes.data(), Width, Height, Stride}; }
  TPixelWalk Walk() { return WalkOf(Span()); }
  bool PaddingIntact() const {
    for (int y = 0; y < Height; ++y)
      if (Bytes[y * Stride + Width * 4] != 0xEE || Bytes[y * Stride + Width * 4 + 1] != 0xEE) return false;
    return true;
  }
};
