// New colour channel values that depend on the pixel they belong to: what brightness
// normalisation does to a picture, kept as a table so that it can be applied in place
// or while the pixels are read for resampling.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

// Values looked up by (pixel value, channel value), where the pixel value is
// max(R, G, B). A table whose factor does not depend on the pixel has one row for every
// pixel value (RowStride 0). Empty: the pixels stay as they are.
struct TChannelTable {
  std::vector<uint8_t> Values;
  size_t RowStride = 0;
  const uint8_t* RowFor(uint8_t b, uint8_t g, uint8_t r) const {
    return Values.data() + std::max(r, std::max(g, b)) * RowStride;
  }
};
