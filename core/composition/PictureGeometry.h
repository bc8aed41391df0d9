// Where a decoded picture goes on the screen-sized bitmap: a drawing plan that the
// platform layer carries out step by step without deciding anything itself.
#pragma once

#include <cstdint>
#include <vector>

#include "core/composition/ResizeRules.h"

struct TPixelRect {
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  bool IsEmpty() const { return Width < 1 || Height < 1; }
};

inline bool operator==(const TPixelRect& a, const TPixelRect& b) {
  return a.X == b.X && a.Y == b.Y && a.Width == b.Width && a.Height == b.Height;
}

// A plain block copy inside the target bitmap (source copy, no stretching).
struct TBlockCopy {
  TPixelRect Source;
  int DestX = 0;
  int DestY = 0;
};

struct TPictureDrawingPlan {
  // 1. Make a TargetWidth x TargetHeight bitmap and fill it entirely with FillColor.
  int TargetWidth = 0;
  int TargetHeight = 0;
  uint32_t FillColor = 0;  // 0x00BBGGRR
  // 2. When DrawsPicture: draw Source of the picture into Destination, high-quality
  //    bicubic, with a gamma image attribute of Gamma when UseGamma.
  bool DrawsPicture = false;
  TPixelRect Source;
  TPixelRect Destination;
  bool UseGamma = false;
  float Gamma = 1.0f;
  // 3. Carry out the block copies in this order (each reads pixels earlier steps wrote).
  std::vector<TBlockCopy> TileCopies;
  // What the fitting reports: the skew slot (1.0 after a crop) and whether it stretched.
  double Skew = 1.0;
  bool Stretched = false;
  bool Cropped = false;
};

// The whole layout of a width x height picture on a screenWidth x screenHeight bitmap.
TPictureDrawingPlan PlanPictureDrawing(int width, int height, int screenWidth, int screenHeight,
                                       const TResizeRules& rules, int gammaPercent);

// Fit and crop: the centred part of the picture that has the screen's aspect ratio.
TPixelRect FitAndCropSource(int width, int height, int screenWidth, int screenHeight);

// Copies that repeat the top-left tileWidth x tileHeight block over the whole target,
// clipped at its edges. Each copy doubles the covered area, so that a tiny tile costs a
// few dozen copies instead of one per cell; the pixels are the same as cell by cell.
std::vector<TBlockCopy> TileBlockCopies(int tileWidth, int tileHeight, int targetWidth,
                                        int targetHeight);

// Gamma in percent as the drawing applies it: none for 100 and outside 1..1000.
bool UsesGamma(int gammaPercent);

// Whether a width x height bitmap of 32-bit pixels is one we are willing to allocate:
// both sides 1..65535 and at most 2^31 - 1 bytes (stride and size fit a signed 32 bits).
bool IsBitmapSizeAcceptable(int64_t width, int64_t height);
