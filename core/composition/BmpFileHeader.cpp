#include "core/composition/BmpFileHeader.h"

namespace {

void Put16(uint8_t* at, uint32_t value) {
  at[0] = static_cast<uint8_t>(value);
  at[1] = static_cast<uint8_t>(value >> 8);
}

void Put32(uint8_t* at, uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

bool WriteBmpFileHeader(uint8_t* header, int width, int height) {
  if (width < 1 || height < 1) return false;
  const uint64_t pixelBytes = static_cast<uint64_t>(width) * 4 * static_cast<uint64_t>(height);
  if (pixelBytes + kBmpHeaderSize > 0xFFFFFFFFu) return false;
  for (size_t i = 0; i < kBmpHeaderSize; ++i) header[i] = 0;
  header[0] = 'B';
  header[1] = 'M';
  Put32(header + 2, static_cast<uint32_t>(pixelBytes + kBmpHeaderSize));  // file size
  Put32(header + 10, kBmpHeaderSize);                                   // where the pixels start
  Put32(header + 14, 40);                                              // information header size
  Put32(header + 18, static_cast<uint32_t>(width));
  Put32(header + 22, static_cast<uint32_t>(-height));  // negative: top row first
  Put16(header + 26, 1);                               // planes
  Put16(header + 28, 32);                              // bits per pixel, no compression
  Put32(header + 34, static_cast<uint32_t>(pixelBytes));
  Put32(header + 38, 2835);  // 72 dots per inch
  Put32(header + 42, 2835);
  return true;
}
