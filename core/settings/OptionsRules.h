// The pure rules behind the window-position, placement and combo box helpers
// of the settings store; the controls themselves stay in the Windows layer.
#pragma once

#include <string>
#include <vector>

// The desktop work area in screen coordinates.
struct TWorkAreaBounds {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
};

struct TWindowPoint {
  int X = 0;
  int Y = 0;
};

// A stored coordinate left of (above) the area, or beyond 0.9 times the
// area's right (bottom) coordinate itself, is replaced by the area's left (top).
TWindowPoint ClampWindowPosition(const TWorkAreaBounds& area, TWindowPoint stored);

// A placement in fractions of a reference area.
struct TPlacementRect {
  double Left = 0;
  double Top = 0;
  double Width = 0;
  double Height = 0;
};

// stored holds the values as read (each defaulting to current). A width or
// height not above 0 becomes the current one, above 1 becomes 1; left and top
// are then clamped to [0, 1 - width] and [0, 1 - height].
TPlacementRect ClampPlacementRect(const TPlacementRect& stored, const TPlacementRect& current);

// Index of the item to select for text (fallback when text is empty): the
// first item equal to it ignoring ASCII case, else the first equal to a
// non-empty fallback, else 0; -1 only when there are no items.
int SelectComboIndex(const std::vector<std::string>& items, const std::string& text,
                     const std::string& fallback);
