// TRandom: stirs the tick count and mouse movements into one program-wide
// state and hands it to the platform's random source as auxiliary input.
#pragma once

#include <cstdint>
#include <functional>

// Shared by every TRandom; 0 at program start, never saved.
extern uint32_t MixState;

// What the generator needs from the running system.
struct TRandomSystem {
  std::function<uint32_t()> TickCount;  // milliseconds since system start
  // Takes the bytes as auxiliary input and replaces them with random ones;
  // false (bytes untouched) when no source is available.
  std::function<bool(uint8_t* bytes, uint32_t count)> RandomBytes;
};

class TRandom {
 public:
  // Starts from the mouse pointer's screen position, which it also mixes in.
  TRandom(TRandomSystem system, int32_t cursorX, int32_t cursorY);

  int32_t LastX = 0;
  int32_t LastY = 0;

  // MixState = rotr5(bswap(MixState + a + b) + tick), wrapping; returns it.
  uint32_t Mix(uint32_t a, uint32_t b);
  // Mixes a point only when it moved 3 pixels or more in either direction.
  void MixPoint(int32_t x, int32_t y);
  // Mix(0, 0) refreshed by the random source, read as signed little-endian.
  int32_t Get();

 private:
  TRandomSystem system_;
};
