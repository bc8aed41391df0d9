#include "core/composition/FittedPicture.h"

#include <algorithm>
#include <cstring>

#include "core/composition/GammaTable.h"

void FillBuffer(const TPixelSpan& target, uint32_t color) {
  if (target.Pixels == nullptr || target.Width < 1 || target.Height < 1) return;
  // The buffer stores blue first; the colour has red in its low byte.
  const uint8_t pixel[4] = {static_cast<uint8_t>(color >> 16), static_cast<uint8_t>(color >> 8),
                            static_cast<uint8_t>(color), 255};
  uint8_t* first = target.Pixels;
  for (int x = 0; x < target.Width; ++x) std::memcpy(first + x * 4, pixel, 4);
  for (int y = 1; y < target.Height; ++y)
    std::memcpy(target.Pixels + y * target.Stride, first, static_cast<size_t>(target.Width) * 4);
}

void CopyBlockInBuffer(const TPixelSpan& target, const TBlockCopy& copy) {
  // Clip the source to the buffer, then the destination, moving both together.
  int64_t sx = copy.Source.X, sy = copy.Source.Y, dx = copy.DestX, dy = copy.DestY;
  int64_t width = copy.Source.Width, height = copy.Source.Height;
  auto clip = [](int64_t& a, int64_t& b, int64_t& length, int64_t limit) {
    const int64_t low = std::max<int64_t>({0, -a, -b});
    a += low, b += low, length -= low;
    length = std::min({length, limit - a, limit - b});
  };
  clip(sx, dx, width, target.Width);
  clip(sy, dy, height, target.Height);
  if (width < 1 || height < 1 || target.Pixels == nullptr) return;
  const size_t bytes = static_cast<size_t>(width) * 4;
  auto row = [&](int64_t y) {
    std::memmove(target.Pixels + (dy + y) * target.Stride + dx * 4, target.Pixels + (sy + y) * target.Stride + sx * 4,
                 bytes);
  };
  // Rows are copied away from the overlap, so none is overwritten before it is read.
  if (dy > sy)
    for (int64_t y = height; y-- > 0;) row(y);
  else
    for (int64_t y = 0; y < height; ++y) row(y);
}

bool DrawPlanOnBuffer(const TPictureDrawingPlan& plan, const TPixelWalk& picture, const TSourceArea& area,
                      const TPixelSpan& target, const TResampleOptions& options) {
  if (target.Pixels == nullptr || target.Width != plan.TargetWidth || target.Height != plan.TargetHeight)
    return false;
  FillBuffer(target, plan.FillColor);
  if (plan.DrawsPicture) {
    const TGammaTable gamma = GammaTable(plan.UseGamma ? plan.Gamma : 1.0);
    TResampleOptions withGamma = options;
    withGamma.Gamma = plan.UseGamma ? &gamma : nullptr;
    if (!ResamplePicture(picture, area, target, plan.Destination, withGamma)) return false;
  }
  for (const TBlockCopy& copy : plan.TileCopies) CopyBlockInBuffer(target, copy);
  return true;
}
