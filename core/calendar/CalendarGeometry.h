// Integer boxes, the placement fractions and the oval that circumscribes the
// calendar: the geometry shared by the painter and the position dialog.
#pragma once

#include "core/composition/PixelBox.h"

inline TBox BoxOfSize(int left, int top, int width, int height) {
  return TBox{left, top, left + width, top + height};
}

// The calendar's place and size as fractions of the calendar work area.
struct TCalendarPlacement {
  double RectLeft = 0;
  double RectTop = 0;
  double RectWidth = 0;
  double RectHeight = 0;
};

// Cut toward zero; a value that is not finite gives 0 and one outside the
// integer range gives the nearest bound, so bad stored fractions cannot
// overflow a conversion.
int TruncToInt(double value);
// Half up, then cut.
int RoundHalfUp(double value);

// A pixel extent as a fraction of the work area's width or height; 0 for a
// work area without extent.
double WidthToFraction(int pixels, const TBox& calendarWorkArea);
double HeightToFraction(int pixels, const TBox& calendarWorkArea);

// Bounds a placement fraction to 0 .. 1 - size: below 0 gives 0, otherwise
// above the bound gives the bound (which is negative when size exceeds 1).
double ClampPlacementFraction(double value, double size);

// The oval around a box: its height is the box's diagonal (rounded up), its
// width that times the eccentricity percentage (rounded up), centred on the
// box, and scaled into another coordinate system.
TBox OvalAroundRect(const TBox& box, double scaleY, double scaleX, int eccentricityPercent);
