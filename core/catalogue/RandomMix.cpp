#include "core/catalogue/RandomMix.h"

#include <cstdlib>
#include <utility>

uint32_t MixState = 0;

namespace {

uint32_t ByteSwap(uint32_t v) {
  return (v >> 24) | ((v >> 8) & 0x0000FF00u) | ((v << 8) & 0x00FF0000u) | (v << 24);
}

uint32_t RotateRight5(uint32_t v) { return (v >> 5) | (v << 27); }

void PutLittleEndian(uint32_t v, uint8_t* bytes) {
  for (int k = 0; k < 4; ++k) bytes[k] = static_cast<uint8_t>(v >> (8 * k));
}

uint32_t ReadLittleEndian(const uint8_t* bytes) {
  uint32_t v = 0;
  for (int k = 0; k < 4; ++k) v |= static_cast<uint32_t>(bytes[k]) << (8 * k);
  return v;
}

}  // namespace

TRandom::TRandom(TRandomSystem system, int32_t cursorX, int32_t cursorY)
    : LastX(cursorX), LastY(cursorY), system_(std::move(system)) {
  Mix(static_cast<uint32_t>(cursorX), static_cast<uint32_t>(cursorY));
}

uint32_t TRandom::Mix(uint32_t a, uint32_t b) {
  const uint32_t tick = system_.TickCount ? system_.TickCount() : 0;
  MixState = RotateRight5(ByteSwap(MixState + a + b) + tick);
  return MixState;
}

void TRandom::MixPoint(int32_t x, int32_t y) {
  const int64_t dx = static_cast<int64_t>(x) - LastX;
  const int64_t dy = static_cast<int64_t>(y) - LastY;
  if (std::llabs(dx) < 3 && std::llabs(dy) < 3) return;
  LastX = x;
  LastY = y;
  Mix(static_cast<uint32_t>(x), static_cast<uint32_t>(y));
}

int32_t TRandom::Get() {
  const uint32_t mixed = Mix(0, 0);
  uint8_t bytes[4];
  PutLittleEndian(mixed, bytes);
  // A failed call keeps the mixed value, whatever it left in the buffer.
  if (system_.RandomBytes && !system_.RandomBytes(bytes, 4)) PutLittleEndian(mixed, bytes);
  return static_cast<int32_t>(ReadLittleEndian(bytes));
}
