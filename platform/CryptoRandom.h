// The program's random generator: the mixing rules of TRandom over the
// system's cryptographic random source, tick count and mouse pointer.
#pragma once

#include <windows.h>
#include <wincrypt.h>

#include "core/catalogue/RandomMix.h"

class TCryptoRandom : public TRandom {
 public:
  TCryptoRandom();
  ~TCryptoRandom();
  TCryptoRandom(const TCryptoRandom&) = delete;
  TCryptoRandom& operator=(const TCryptoRandom&) = delete;

  // Stirs in the mouse pointer's position when it has moved.
  void MixCursor();

  // Zero when the provider could not be acquired; Get then returns the mixed state alone.
  HCRYPTPROV CryptProvider = 0;

 private:
  explicit TCryptoRandom(POINT cursor);
  bool RandomBytes(uint8_t* bytes, uint32_t count);
};

// The one generator of the program.
extern TCryptoRandom Random;
