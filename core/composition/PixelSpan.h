// Views of 32-bit pixels stored blue, green, red, alpha, and the owned picture
// the decoders fill.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

struct TPixelSpan {
  uint8_t* Pixels = nullptr;  // first byte of the top row
  int Width = 0;
  int Height = 0;
  std::ptrdiff_t Stride = 0;  // bytes from one row to the next
};

// A read-only walk over stored pixels in the order they are shown: pixel (x, y) of
// the Width x Height view lies at Origin + x * StepX + y * StepY. Steps are in bytes
// and may be negative or swap the axes, so a turned or mirrored picture is read in
// place instead of being copied.
struct TPixelWalk {
  const uint8_t* Origin = nullptr;
  std::ptrdiff_t StepX = 4;
  std::ptrdiff_t StepY = 0;
  int Width = 0;
  int Height = 0;
  const uint8_t* At(int x, int y) const { return Origin + x * StepX + y * StepY; }
};

// The span read as it is stored.
inline TPixelWalk WalkOf(const TPixelSpan& span) {
  return {span.Pixels, 4, span.Stride, span.Width, span.Height};
}

// A picture the program owns, rows following each other without gaps.
class TPixelBuffer {
 public:
  // Makes room for width x height pixels, left uninitialised. False (and empty)
  // when the size is not one we allocate or memory is short.
  bool Allocate(int width, int height);
  void Reset();

  int Width() const { return width_; }
  int Height() const { return height_; }
  std::ptrdiff_t Stride() const { return static_cast<std::ptrdiff_t>(width_) * 4; }
  size_t ByteSize() const { return static_cast<size_t>(Stride()) * static_cast<size_t>(height_); }
  uint8_t* Pixels() { return pixels_.get(); }
  const uint8_t* Pixels() const { return pixels_.get(); }
  TPixelSpan Span() { return {pixels_.get(), width_, height_, Stride()}; }
  TPixelWalk Walk() const { return {pixels_.get(), 4, Stride(), width_, height_}; }

 private:
  std::unique_ptr<uint8_t[]> pixels_;
  int width_ = 0;
  int height_ = 0;
};
