#include "core/composition/ResizeRules.h"

#include <algorithm>

double AspectSkew(int width, int height, int screenWidth, int screenHeight) {
  double skew = (static_cast<double>(width) / height) /
                (static_cast<double>(screenWidth) / screenHeight);
  if (skew < 1) skew = 1 / skew;
  return skew;
}

namespace {

// other x size / base, in 64 bits: a large picture times a large screen overflows 32 bits.
int ScaleSide(int other, int size, int base) {
  return static_cast<int>(static_cast<int64_t>(other) * size / base);
}

}  // namespace

TPictureSize ComputePictureSize(int width, int height, int screenWidth, int screenHeight,
                                int minSize, double maxSkew, bool stretch, bool fitBeforeTile) {
  TPictureSize size;
  if (width < 1 || height < 1 || screenWidth < 1 || screenHeight < 1) return size;

  bool fit = fitBeforeTile;
  if (minSize >= 1 && (width < minSize || height < minSize)) {
    stretch = false;
    fit = false;
  }
  size.Skew = AspectSkew(width, height, screenWidth, screenHeight);

  if (stretch && (size.Skew <= maxSkew || maxSkew <= 0)) {
    size.Width = screenWidth;
    size.Height = screenHeight;
    size.Stretched = true;
    return size;
  }

  // Width first; when that makes the picture too tall, the height decides.
  size.Width = fit ? screenWidth : std::min(screenWidth, width);
  size.Height = size.Width == width ? height : ScaleSide(height, size.Width, width);
  if (size.Height <= screenHeight) return size;

  size.Height = fit ? screenHeight : std::min(screenHeight, height);
  size.Width = size.Height == height ? width : ScaleSide(width, size.Height, height);
  return size;
}
