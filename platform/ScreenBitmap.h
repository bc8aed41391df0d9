// The 32-bit bitmap a wallpaper is composed on: a top-down DIB section with its
// own memory device context, so that GDI+ can draw on it, GDI can copy blocks
// inside it, and its pixels can be copied or saved as they are. The BMP file's
// headers sit in the same memory right before the pixels, so the whole file is
// one block.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "core/composition/PictureGeometry.h"
#include "platform/HandleHolders.h"

class TScreenBitmap {
 public:
  // Null when the size is refused or the system has no room for it.
  static std::unique_ptr<TScreenBitmap> Create(int width, int height);
  ~TScreenBitmap();
  TScreenBitmap(const TScreenBitmap&) = delete;
  TScreenBitmap& operator=(const TScreenBitmap&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Rows follow each other without gaps, blue, green, red, unused, top row first.
  uint8_t* Pixels() const { return pixels_; }
  int Stride() const { return width_ * 4; }
  HDC Dc() const { return picture_ ? picture_->Dc() : nullptr; }
  // The bitmap as a BMP file: the headers and then the pixels, ready for one write.
  // Call GdiFlush first when GDI may still be drawing on it.
  const uint8_t* FileImage() const { return fileImage_; }
  size_t FileImageSize() const;

  // A bitmap of the same size and pixels; drawing on it leaves this one unchanged.
  std::unique_ptr<TScreenBitmap> Copy() const;
  // Every pixel set to a 0x00BBGGRR colour.
  void Fill(uint32_t color);
  // A plain source copy inside the bitmap, clipped at its edges.
  void CopyBlock(const TBlockCopy& copy);
  // The pixel at (x, y) as 0x00RRGGBB.
  uint32_t PixelAt(int x, int y) const;

 private:
  TScreenBitmap() = default;
  int width_ = 0;
  int height_ = 0;
  uint8_t* pixels_ = nullptr;
  const uint8_t* fileImage_ = nullptr;
  // Released in reverse: the bitmap and its DC before the view, the view before the section.
  THandleHolder section_;       // the memory of the headers and the pixels
  TMappedViewHolder view_;      // the whole section, for writing it to a file
  std::optional<TBitmapDcHolder> picture_;
};
