// A box of whole pixels by its edges, shared by the composition and the calendar.
#pragma once

// Right and Bottom lie just outside the box.
struct TBox {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
};

inline bool operator==(const TBox& a, const TBox& b) {
  return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}
inline bool operator!=(const TBox& a, const TBox& b) { return !(a == b); }
