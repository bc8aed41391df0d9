#include "core/composition/GammaTable.h"

#include <cmath>

#include "core/composition/PictureGeometry.h"

TGammaTable GammaTable(double gamma) {
  TGammaTable table;
  for (int c = 0; c < 256; ++c) {
    if (!(gamma > 0)) {
      table[c] = static_cast<uint8_t>(c);
      continue;
    }
    // The small lift keeps results that are whole numbers in exact arithmetic from
    // dropping one below through rounding (gamma 1 must give every value back).
    const double value = std::floor(std::pow(c / 255.0, gamma) * 255.0 + 1e-9);
    table[c] = static_cast<uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
  }
  return table;
}

TGammaTable GammaTableForPercent(int gammaPercent) {
  // The drawing has always passed the gamma as a single-precision float.
  return GammaTable(UsesGamma(gammaPercent) ? static_cast<float>(gammaPercent * 0.01) : 1.0);
}

bool IsIdentityTable(const TGammaTable& table) {
  for (int c = 0; c < 256; ++c)
    if (table[c] != c) return false;
  return true;
}
