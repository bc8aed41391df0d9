#include "core/composition/PictureOrientation.h"

namespace {

// What each tag does to the stored picture to show it: the shown x runs along the
// stored y when Transposed, and each stored axis may be read backwards.
struct TOrientationStep {
  bool Transposed;
  bool MirrorStoredX;
  bool MirrorStoredY;
};

const TOrientationStep kOrientationSteps[9] = {
    {false, false, false},  // no tag: as stored
    {false, false, false},  // 1 upright
    {false, true, false},   // 2 mirrored left to right
    {false, true, true},    // 3 turned half round
    {false, false, true},   // 4 mirrored top to bottom
    {true, false, false},   // 5 mirrored along the main diagonal
    {true, false, true},    // 6 turned a quarter clockwise
    {true, true, true},     // 7 mirrored along the other diagonal
    {true, true, false},    // 8 turned a quarter anticlockwise
};

const TOrientationStep& StepOf(int orientation) {
  return kOrientationSteps[orientation >= 1 && orientation <= 8 ? orientation : 0];
}

}  // namespace

bool OrientationSwapsAxes(int orientation) { return StepOf(orientation).Transposed; }

void OrientedSize(int storedWidth, int storedHeight, int orientation, int& width, int& height) {
  const bool swap = OrientationSwapsAxes(orientation);
  width = swap ? storedHeight : storedWidth;
  height = swap ? storedWidth : storedHeight;
}

void StoredPixelOf(int x, int y, int storedWidth, int storedHeight, int orientation, int& storedX,
                   int& storedY) {
  const TOrientationStep& step = StepOf(orientation);
  storedX = step.Transposed ? y : x;
  storedY = step.Transposed ? x : y;
  if (step.MirrorStoredX) storedX = storedWidth - 1 - storedX;
  if (step.MirrorStoredY) storedY = storedHeight - 1 - storedY;
}

TPixelWalk OrientedWalk(const TPixelSpan& stored, int orientation) {
  const TOrientationStep& step = StepOf(orientation);
  TPixelWalk walk;
  OrientedSize(stored.Width, stored.Height, orientation, walk.Width, walk.Height);
  if (stored.Pixels == nullptr || stored.Width < 1 || stored.Height < 1) {
    walk.Origin = nullptr;
    walk.Width = walk.Height = 0;
    return walk;
  }
  int originX = 0, originY = 0;
  StoredPixelOf(0, 0, stored.Width, stored.Height, orientation, originX, originY);
  walk.Origin = stored.Pixels + originY * stored.Stride + static_cast<std::ptrdiff_t>(originX) * 4;
  const std::ptrdiff_t alongX = step.MirrorStoredX ? -4 : 4;
  const std::ptrdiff_t alongY = step.MirrorStoredY ? -stored.Stride : stored.Stride;
  walk.StepX = step.Transposed ? alongY : alongX;
  walk.StepY = step.Transposed ? alongX : alongY;
  return walk;
}
