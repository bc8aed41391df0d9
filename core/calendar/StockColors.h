// The named stock colours offered by the colour dialog and accepted by name in
// settings files, and the texts that describe a colour to the user.
#pragma once

#include <cstdint>
#include <string>

// Colours are 0x00BBGGRR: red in the low byte.
constexpr uint32_t RgbColor(uint32_t red, uint32_t green, uint32_t blue) {
  return (red & 0xFFu) | ((green & 0xFFu) << 8) | ((blue & 0xFFu) << 16);
}

// One entry: the colour followed by its zero-terminated name in a fixed field.
struct TStockColor {
  uint32_t Color;
  char Name[32];
};
static_assert(sizeof(TStockColor) == 36, "a stock colour entry is 36 bytes");

constexpr int kStockColorCount = 133;
extern const TStockColor CStockColors[kStockColorCount];

// (red << 16) + (green << 8) + blue; bits above the low 24 are ignored.
int32_t ToRgbValue(uint32_t color);

// " (RGB r-g-b; Decimal = n; Hexadecimal = 0xRRGGBB)", with the leading blank.
std::string ColorToHintText(uint32_t color);

// Name of the first entry with exactly this value, else empty.
std::string StockColorName(uint32_t color);

// First entry whose name equals name under ASCII case folding.
bool StockColorFromName(const std::string& name, uint32_t& color);
