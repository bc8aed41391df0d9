#include "core/calendar/CalendarGeometry.h"

#include <cmath>
#include <limits>

int TruncToInt(double value) {
  if (!std::isfinite(value)) return 0;
  const double whole = std::trunc(value);
  if (whole <= std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  if (whole >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  return static_cast<int>(whole);
}

int RoundHalfUp(double value) { return TruncToInt(std::floor(value + 0.5)); }

double WidthToFraction(int pixels, const TBox& calendarWorkArea) {
  const int width = calendarWorkArea.Width();
  return width > 0 ? static_cast<double>(pixels) / width : 0.0;
}

double HeightToFraction(int pixels, const TBox& calendarWorkArea) {
  const int height = calendarWorkArea.Height();
  return height > 0 ? static_cast<double>(pixels) / height : 0.0;
}

double ClampPlacementFraction(double value, double size) {
  if (!std::isfinite(value) || value < 0) return 0;
  const double upper = 1 - size;
  return value > upper ? upper : value;
}

namespace {

long long CeilSqrt(long long n) {
  long long root = static_cast<long long>(std::sqrt(static_cast<double>(n)));
  while (root * root < n) ++root;
  while (root > 0 && (root - 1) * (root - 1) >= n) --root;
  return root;
}

long long CeilDiv(long long a, long long b) {
  const long long q = a / b;
  return (a % b != 0 && (a < 0) == (b < 0)) ? q + 1 : q;
}

}  // namespace

TBox OvalAroundRect(const TBox& box, double scaleY, double scaleX, int eccentricityPercent) {
  const long long boxWidth = box.Width();
  const long long boxHeight = box.Height();
  const long long diagonal = CeilSqrt(boxWidth * boxWidth + boxHeight * boxHeight);
  // Whole-number arithmetic, so that an eccentricity of 100 gives exactly a circle.
  const long long ovalWidth = CeilDiv(diagonal * eccentricityPercent, 100);
  const long long ovalX = box.Left + (boxWidth - ovalWidth) / 2;
  const long long ovalY = box.Top + (boxHeight - diagonal) / 2;
  return TBox{RoundHalfUp(scaleX * static_cast<double>(ovalX)),
              RoundHalfUp(scaleY * static_cast<double>(ovalY)),
              RoundHalfUp(scaleX * static_cast<double>(ovalX + ovalWidth)),
              RoundHalfUp(scaleY * static_cast<double>(ovalY + diagonal))};
}
