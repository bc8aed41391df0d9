#include "core/composition/ReducedDecoding.h"

#include <algorithm>
#include <cmath>

TDecodeSize NeededPictureSize(const TPictureDrawingPlan& plan, int width, int height) {
  TDecodeSize needed{width, height};
  if (!plan.DrawsPicture || plan.Source.IsEmpty() || plan.Destination.IsEmpty()) return needed;
  const double neededWidth = std::ceil(static_cast<double>(width) * plan.Destination.Width / plan.Source.Width);
  const double neededHeight = std::ceil(static_cast<double>(height) * plan.Destination.Height / plan.Source.Height);
  needed.Width = static_cast<int>(std::min<double>(width, neededWidth));
  needed.Height = static_cast<int>(std::min<double>(height, neededHeight));
  return needed;
}

TDecodeSize ReducedDecodeSize(int fullWidth, int fullHeight, const TDecodeSize& needed) {
  TDecodeSize size{fullWidth, fullHeight};
  if (needed.Width < 1 || needed.Height < 1) return size;
  for (int halvings = 1; halvings <= 3; ++halvings) {
    // Decoders round a reduced side up.
    const int width = (fullWidth + (1 << halvings) - 1) >> halvings;
    const int height = (fullHeight + (1 << halvings) - 1) >> halvings;
    if (width < needed.Width || height < needed.Height) break;
    size = {width, height};
  }
  return size;
}

TSourceArea ScaledSourceArea(const TPixelRect& source, int fullWidth, int fullHeight,
                             int decodedWidth, int decodedHeight) {
  if (fullWidth < 1 || fullHeight < 1) return SourceAreaOf(source);
  const double sx = static_cast<double>(decodedWidth) / fullWidth;
  const double sy = static_cast<double>(decodedHeight) / fullHeight;
  return {source.X * sx, source.Y * sy, source.Width * sx, source.Height * sy};
}
