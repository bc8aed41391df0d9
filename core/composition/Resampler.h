// Resizing a picture: a separable Catmull-Rom cubic whose support widens by the
// shrink factor, so that shrinking averages every source pixel instead of
// skipping some (no aliasing), over 32-bit pixels stored blue, green, red, alpha.
// The normalisation and gamma tables are applied to the source values as they are
// read, in the same pass, and the rows are shared out over threads.
#pragma once

#include <cstdint>
#include <functional>

#include "core/composition/ChannelTable.h"
#include "core/composition/GammaTable.h"
#include "core/composition/PictureGeometry.h"
#include "core/composition/PixelSpan.h"

// A part of the picture in pixels. Edges may be fractional: a picture decoded at a
// reduced size maps whole pixels of the full picture to fractions of its own.
struct TSourceArea {
  double X = 0;
  double Y = 0;
  double Width = 0;
  double Height = 0;
};

inline TSourceArea SourceAreaOf(const TPixelRect& rect) {
  return {static_cast<double>(rect.X), static_cast<double>(rect.Y), static_cast<double>(rect.Width),
          static_cast<double>(rect.Height)};
}

struct TResampleOptions {
  // Each pixel through this table as it is read (brightness normalisation), before the
  // gamma table; none or an empty one leaves the pixels as they are.
  const TChannelTable* Channels = nullptr;
  // Channel values through this table before filtering; none leaves them unchanged.
  const TGammaTable* Gamma = nullptr;
  // False when some pixels may be translucent: the picture is then filtered with
  // premultiplied alpha and laid over the target's pixels ("source over").
  bool SourceIsOpaque = true;
  // Threads sharing the rows; below 1, one per processor. The result does not
  // depend on it.
  int Workers = 1;
  // Asked every few rows by the working threads (so it must be safe to call from
  // them): once it says true, the work stops where it is, and nothing more is drawn.
  std::function<bool()> Cancelled;
};

// Draws the area of the source, resized to the destination rectangle, into the
// target; the parts of the destination outside the target are left out. Values
// the cubic's lobes push beyond 0..255 are clamped. Opaque output has alpha 255.
// False when nothing could be drawn (an empty or outside area, an empty destination
// or target, no memory for the work rows) or the work was cancelled.
bool ResamplePicture(const TPixelWalk& source, const TSourceArea& area, const TPixelSpan& target,
                     const TPixelRect& destination, const TResampleOptions& options);
