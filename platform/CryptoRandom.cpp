#include "platform/CryptoRandom.h"

namespace {

POINT CursorPosition() {
  POINT point = {0, 0};
  GetCursorPos(&point);
  return point;
}

}  // namespace

TCryptoRandom Random;

TCryptoRandom::TCryptoRandom() : TCryptoRandom(CursorPosition()) {}

TCryptoRandom::TCryptoRandom(POINT cursor)
    : TRandom(TRandomSystem{[] { return static_cast<uint32_t>(GetTickCount()); },
                            [this](uint8_t* bytes, uint32_t count) { return RandomBytes(bytes, count); }},
              cursor.x, cursor.y) {
  // Random bytes need no key container; asking for the user's default one
  // fails wherever it was never created, which would leave only the mixed state.
  if (!CryptAcquireContextA(&CryptProvider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT)) CryptProvider = 0;
}

TCryptoRandom::~TCryptoRandom() {
  if (CryptProvider) CryptReleaseContext(CryptProvider, 0);
}

void TCryptoRandom::MixCursor() {
  const POINT point = CursorPosition();
  MixPoint(point.x, point.y);
}

bool TCryptoRandom::RandomBytes(uint8_t* bytes, uint32_t count) {
  return CryptProvider != 0 && CryptGenRandom(CryptProvider, count, bytes) != FALSE;
}
