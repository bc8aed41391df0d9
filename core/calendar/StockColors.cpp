#include "core/calendar/StockColors.h"

#include <cstdio>

#include "core/text/AsciiText.h"

const TStockColor CStockColors[kStockColorCount] = {
    {RgbColor(0, 0, 0), "Black"},
    {RgbColor(50, 50, 50), "Fade Black"},
    {RgbColor(75, 75, 75), "Light Black"},
    {RgbColor(90, 90, 90), "Bright Black"},
    {RgbColor(0, 75, 75), "Blue Black"},
    {RgbColor(80, 110, 110), "Light Blue Black"},
    {RgbColor(75, 120, 120), "Blue Gray"},
    {RgbColor(0, 130, 130), "Teal"},
    {RgbColor(10, 140, 140), "Light Teal"},
    {RgbColor(110, 110, 110), "Dark Gray"},
    {RgbColor(120, 120, 120), "Fade Gray"},
    {RgbColor(130, 130, 130), "Gray"},
    {RgbColor(160, 160, 160), "Light Gray"},
    {RgbColor(190, 190, 190), "Silver"},
    {RgbColor(230, 230, 230), "Gray White"},
    {RgbColor(245, 245, 245), "Light Gray White"},
    {RgbColor(255, 255, 255), "White"},
    {RgbColor(245, 245, 225), "Soft White"},
    {RgbColor(255, 245, 220), "Soft Fade White"},
    {RgbColor(240, 240, 210), "Fade White"},
    {RgbColor(230, 230, 215), "Soft Gray White"},
    {RgbColor(225, 215, 200), "Cream White"},
    {RgbColor(230, 215, 200), "Pink White"},
    {RgbColor(250, 245, 235), "Fade Pink White"},
    {RgbColor(225, 215, 210), "Dark Pink White"},
    {RgbColor(205, 195, 170), "Bright Cream Gray"},
    {RgbColor(190, 180, 150), "Light Cream Gray"},
    {RgbColor(185, 170, 135), "Cream Gray"},
    {RgbColor(160, 145, 105), "Fade Cream Gray"},
    {RgbColor(150, 130, 95), "Dark Cream Gray"},
    {RgbColor(145, 120, 85), "Gloom Cream Gray"},
    {RgbColor(110, 90, 65), "Dark Olive"},
    {RgbColor(95, 85, 65), "Gloom Olive"},
    {RgbColor(30, 30, 50), "Gloom Blue"},
    {RgbColor(0, 0, 65), "Dark Blue"},
    {RgbColor(50, 60, 85), "Dark Navy"},
    {RgbColor(75, 90, 120), "Fade Navy"},
    {RgbColor(0, 0, 130), "Navy"},
    {RgbColor(0, 0, 160), "Blue"},
    {RgbColor(0, 0, 200), "Light Blue"},
    {RgbColor(0, 0, 255), "Bright Blue"},
    {RgbColor(0, 50, 150), "Dark Pastel Blue"},
    {RgbColor(0, 80, 150), "Fade Pastel Blue"},
    {RgbColor(0, 100, 200), "Pastel Blue"},
    {RgbColor(20, 110, 240), "Dark Turquoise"},
    {RgbColor(60, 155, 220), "Fade Turquoise"},
    {RgbColor(80, 150, 255), "Turquoise"},
    {RgbColor(0, 255, 255), "Aqua"},
    {RgbColor(200, 255, 255), "Light Aqua"},
    {RgbColor(225, 255, 255), "Bright Aqua"},
    {RgbColor(185, 215, 220), "Soft Aqua"},
    {RgbColor(155, 200, 205), "Fade Aqua"},
    {RgbColor(140, 185, 195), "Dark Aqua"},
    {RgbColor(120, 180, 190), "Gloom Aqua"},
    {RgbColor(150, 150, 205), "Blue Fuchsia"},
    {RgbColor(125, 125, 195), "Fade Blue Fuchsia"},
    {RgbColor(105, 100, 180), "Dark Blue Fuchsia"},
    {RgbColor(100, 200, 200), "Bright Vernil"},
    {RgbColor(20, 180, 150), "Light Vernil"},
    {RgbColor(85, 170, 135), "Vernil"},
    {RgbColor(15, 145, 115), "Fade Vernil"},
    {RgbColor(0, 130, 95), "Dark Vernil"},
    {RgbColor(0, 90, 65), "Gloom Vernil"},
    {RgbColor(0, 65, 45), "Bleak Vernil"},
    {RgbColor(130, 0, 130), "Purple"},
    {RgbColor(130, 40, 115), "Dark Lavender"},
    {RgbColor(150, 50, 135), "Lavender"},
    {RgbColor(255, 0, 255), "Fuchsia"},
    {RgbColor(255, 170, 255), "Light Fuchsia"},
    {RgbColor(200, 0, 100), "Light Cherry"},
    {RgbColor(180, 0, 90), "Cherry"},
    {RgbColor(130, 0, 65), "Dark Cherry"},
    {RgbColor(130, 65, 65), "Fade Cherry"},
    {RgbColor(130, 0, 0), "Gloom Red"},
    {RgbColor(170, 0, 0), "Dark Red"},
    {RgbColor(210, 0, 0), "Red"},
    {RgbColor(255, 50, 0), "Pastel Red"},
    {RgbColor(255, 0, 0), "Light Red"},
    {RgbColor(255, 90, 90), "Dark Pink"},
    {RgbColor(255, 120, 75), "Pastel Pink"},
    {RgbColor(255, 130, 130), "Pink"},
    {RgbColor(255, 140, 40), "Light Orange"},
    {RgbColor(255, 120, 0), "Orange"},
    {RgbColor(255, 105, 10), "Near Dark Orange"},
    {RgbColor(255, 90, 0), "Dark Orange"},
    {RgbColor(140, 70, 40), "Maroon"},
    {RgbColor(150, 80, 10), "Dark Ochre"},
    {RgbColor(185, 110, 25), "Ochre"},
    {RgbColor(205, 150, 0), "Pastel Ochre"},
    {RgbColor(185, 130, 95), "Light Maroon"},
    {RgbColor(240, 150, 90), "Brick"},
    {RgbColor(255, 200, 140), "Fade Brick"},
    {RgbColor(255, 205, 155), "Light Brick"},
    {RgbColor(255, 220, 180), "Bright Brick"},
    {RgbColor(230, 220, 190), "Bright Cream"},
    {RgbColor(225, 225, 175), "Soft Cream"},
    {RgbColor(230, 205, 150), "Fade Cream"},
    {RgbColor(225, 200, 135), "Cream"},
    {RgbColor(200, 200, 140), "Bright Hemp"},
    {RgbColor(190, 190, 110), "Light Hemp"},
    {RgbColor(185, 170, 95), "Fade Hemp"},
    {RgbColor(170, 150, 75), "Medium Hemp"},
    {RgbColor(160, 140, 70), "Hemp"},
    {RgbColor(130, 130, 65), "Dark Hemp"},
    {RgbColor(255, 200, 90), "Cream Yellow"},
    {RgbColor(255, 205, 100), "Pastel Cream Yellow"},
    {RgbColor(255, 220, 140), "Light Cream Yellow"},
    {RgbColor(240, 200, 45), "Fade Yellow"},
    {RgbColor(255, 200, 0), "Pastel Yellow"},
    {RgbColor(230, 230, 0), "Mustard"},
    {RgbColor(255, 255, 0), "Yellow"},
    {RgbColor(255, 255, 155), "Light Yellow"},
    {RgbColor(240, 240, 175), "Soft Yellow"},
    {RgbColor(240, 225, 175), "Tender Yellow"},
    {RgbColor(255, 255, 200), "Bright Yellow"},
    {RgbColor(255, 255, 215), "Brilliant Yellow"},
    {RgbColor(225, 240, 175), "Brilliant Yellow Green"},
    {RgbColor(185, 205, 150), "Light Olive"},
    {RgbColor(200, 215, 170), "Soft Olive"},
    {RgbColor(215, 220, 190), "Tender Olive"},
    {RgbColor(230, 235, 215), "Bright Olive"},
    {RgbColor(140, 160, 105), "Fade Olive"},
    {RgbColor(180, 180, 0), "Yellow Green"},
    {RgbColor(130, 130, 0), "Olive"},
    {RgbColor(0, 85, 0), "Dark Green"},
    {RgbColor(0, 105, 0), "Near Dark Green"},
    {RgbColor(0, 130, 0), "Green"},
    {RgbColor(0, 150, 0), "Fade Green"},
    {RgbColor(20, 180, 15), "Light Green"},
    {RgbColor(100, 200, 50), "Pastel Green"},
    {RgbColor(0, 255, 0), "Lime"},
    {RgbColor(0, 255, 130), "Bright Green"},
    {RgbColor(200, 255, 200), "Light Pastel Green"},
};

int32_t ToRgbValue(uint32_t color) {
  const uint32_t red = color & 0xFFu;
  const uint32_t green = (color >> 8) & 0xFFu;
  const uint32_t blue = (color >> 16) & 0xFFu;
  return static_cast<int32_t>((red << 16) + (green << 8) + blue);
}

std::string ColorToHintText(uint32_t color) {
  char hex[8];
  std::snprintf(hex, sizeof hex, "%06X", static_cast<unsigned>(ToRgbValue(color)));
  return " (RGB " + std::to_string(color & 0xFFu) + "-" + std::to_string((color >> 8) & 0xFFu) +
         "-" + std::to_string((color >> 16) & 0xFFu) + "; Decimal = " +
         std::to_string(ToRgbValue(color)) + "; Hexadecimal = 0x" + hex + ")";
}

std::string StockColorName(uint32_t color) {
  for (const TStockColor& entry : CStockColors)
    if (entry.Color == color) return entry.Name;
  return std::string();
}

bool StockColorFromName(const std::string& name, uint32_t& color) {
  for (const TStockColor& entry : CStockColors) {
    if (SameTextAscii(name, entry.Name)) {
      color = entry.Color;
      return true;
    }
  }
  return false;
}
