#include "core/composition/PictureGeometry.h"

#include <algorithm>
#include <cmath>

TPixelRect FitAndCropSource(int width, int height, int screenWidth, int screenHeight) {
  TPixelRect source{0, 0, width, height};
  if (width < 1 || height < 1 || screenWidth < 1 || screenHeight < 1) return source;
  const double fx = static_cast<double>(screenWidth) / width;
  const double fy = static_cast<double>(screenHeight) / height;
  // A sliver picture would otherwise crop to nothing; keep at least one pixel.
  if (fx >= fy) {
    source.Height = std::max(1, static_cast<int>(std::trunc(height / (fx / fy))));
    source.Y = (height - source.Height) / 2;
  } else {
    source.Width = std::max(1, static_cast<int>(std::trunc(width / (fy / fx))));
    source.X = (width - source.Width) / 2;
  }
  return source;
}

std::vector<TBlockCopy> TileBlockCopies(int tileWidth, int tileHeight, int targetWidth,
                                        int targetHeight) {
  std::vector<TBlockCopy> copies;
  if (tileWidth < 1 || tileHeight < 1 || targetWidth < 1 || targetHeight < 1) return copies;
  const int bandHeight = std::min(tileHeight, targetHeight);
  // Along the first band: [0, covered) always holds whole tiles, so copying it next to
  // itself keeps the pattern.
  for (int covered = std::min(tileWidth, targetWidth); covered < targetWidth;) {
    const int width = std::min(covered, targetWidth - covered);
    copies.push_back({{0, 0, width, bandHeight}, covered, 0});
    covered += width;
  }
  for (int covered = bandHeight; covered < targetHeight;) {
    const int height = std::min(covered, targetHeight - covered);
    copies.push_back({{0, 0, targetWidth, height}, 0, covered});
    covered += height;
  }
  return copies;
}

bool UsesGamma(int gammaPercent) {
  return gammaPercent >= 1 && gammaPercent <= 1000 && gammaPercent != 100;
}

bool IsBitmapSizeAcceptable(int64_t width, int64_t height) {
  constexpr int64_t kMaxSide = 65535;
  constexpr int64_t kMaxBytes = 0x7FFFFFFF;
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return false;
  return width * height * 4 <= kMaxBytes;
}

TPictureDrawingPlan PlanPictureDrawing(int width, int height, int screenWidth, int screenHeight,
                                       const TResizeRules& rules, int gammaPercent) {
  TPictureDrawingPlan plan;
  plan.TargetWidth = screenWidth;
  plan.TargetHeight = screenHeight;
  plan.FillColor = rules.FillingColor;
  if (width < 1 || height < 1 || screenWidth < 1 || screenHeight < 1) return plan;

  plan.Source = {0, 0, width, height};
  plan.Destination = {0, 0, screenWidth, screenHeight};
  const bool bigEnough = rules.MinStretchSize < 1 ||
                         (width >= rules.MinStretchSize && height >= rules.MinStretchSize);
  if (rules.FitAndCrop && bigEnough) {
    plan.Source = FitAndCropSource(width, height, screenWidth, screenHeight);
    plan.Stretched = true;
    plan.Cropped = true;
  } else {
    const TPictureSize size =
        ComputePictureSize(width, height, screenWidth, screenHeight, rules.MinStretchSize,
                           rules.MaxStretchSkew, rules.Stretch, rules.FitBeforeTile);
    plan.Destination.Width = size.Width;
    plan.Destination.Height = size.Height;
    plan.Skew = size.Skew;
    plan.Stretched = size.Stretched;
  }

  // A picture that fit and crop left alone (below the minimum size) stays at the
  // top-left corner: it is neither centred nor tiled.
  const bool placeFree = !plan.Stretched && !rules.FitAndCrop;
  if (placeFree && !rules.Tile) {
    plan.Destination.X = (screenWidth - plan.Destination.Width) / 2;
    plan.Destination.Y = (screenHeight - plan.Destination.Height) / 2;
  }
  plan.DrawsPicture = !plan.Source.IsEmpty() && !plan.Destination.IsEmpty();
  plan.UseGamma = UsesGamma(gammaPercent);
  if (plan.UseGamma) plan.Gamma = static_cast<float>(gammaPercent * 0.01);
  if (placeFree && rules.Tile && plan.DrawsPicture)
    plan.TileCopies = TileBlockCopies(plan.Destination.Width, plan.Destination.Height,
                                      screenWidth, screenHeight);
  return plan;
}
