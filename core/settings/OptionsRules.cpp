#include "core/settings/OptionsRules.h"

#include "core/text/AsciiText.h"

namespace {

int ClampCoordinate(int value, int areaLow, int areaHigh) {
  return (value < areaLow || value > 0.9 * areaHigh) ? areaLow : value;
}

double ClampFraction(double value, double low, double high) {
  if (value < low) return low;
  if (value > high) return high;
  return value;
}

double ClampExtent(double stored, double current) {
  // Written as !(x > 0) so that a NaN also falls back to the current value.
  const double extent = !(stored > 0) ? current : stored;
  return extent > 1 ? 1 : extent;
}

int FindItem(const std::vector<std::string>& items, const std::string& text) {
  for (size_t i = 0; i < items.size(); ++i)
    if (SameTextAscii(items[i], text)) return static_cast<int>(i);
  return -1;
}

}  // namespace

TWindowPoint ClampWindowPosition(const TWorkAreaBounds& area, TWindowPoint stored) {
  return {ClampCoordinate(stored.X, area.Left, area.Right),
          ClampCoordinate(stored.Y, area.Top, area.Bottom)};
}

TPlacementRect ClampPlacementRect(const TPlacementRect& stored, const TPlacementRect& current) {
  TPlacementRect result;
  result.Width = ClampExtent(stored.Width, current.Width);
  result.Height = ClampExtent(stored.Height, current.Height);
  result.Left = ClampFraction(stored.Left, 0, 1 - result.Width);
  result.Top = ClampFraction(stored.Top, 0, 1 - result.Height);
  return result;
}

int SelectComboIndex(const std::vector<std::string>& items, const std::string& text,
                     const std::string& fallback) {
  if (items.empty()) return -1;
  const std::string wanted = text.empty() ? fallback : text;
  if (wanted.empty()) return 0;
  int index = FindItem(items, wanted);
  if (index < 0 && !fallback.empty()) index = FindItem(items, fallback);
  return index < 0 ? 0 : index;
}
