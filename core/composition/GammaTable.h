// The gamma correction as a table of the 256 channel values: the mapping of the
// imaging library's gamma image attribute, value = trunc((c / 255) ^ gamma x 255).
#pragma once

#include <array>
#include <cstdint>

using TGammaTable = std::array<uint8_t, 256>;

// The table for a gamma value (percent x 0.01); values that are not above 0 give
// the unchanged table.
TGammaTable GammaTable(double gamma);

// The table for the gamma option in percent: unchanged for 100 and outside 1..1000,
// as the drawing has always treated those values.
TGammaTable GammaTableForPercent(int gammaPercent);

bool IsIdentityTable(const TGammaTable& table);
