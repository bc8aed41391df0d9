// Decoders that can scale while decoding (JPEG by 1/2, 1/4 and 1/8): how far to let
// them, and where the drawing's source rectangle lies in the smaller picture.
#pragma once

#include "core/composition/PictureGeometry.h"
#include "core/composition/Resampler.h"

struct TDecodeSize {
  int Width = 0;
  int Height = 0;
};

// The picture size at which the plan's source rectangle would be drawn 1:1: what the
// drawing needs of a width x height picture. The picture's own size when it is
// enlarged or nothing is drawn.
TDecodeSize NeededPictureSize(const TPictureDrawingPlan& plan, int width, int height);

// The size to ask the decoder for: the full size halved (at most three times) while
// the picture is at least twice the needed size on both axes, so that the cubic only
// ever shrinks what the decoder gives. The full size when even half is too small.
// (A 24 MP picture decoded at half size for 1920 x 1080 and then shrunk with the
// cubic is 49 dB from the cubic alone on the bench's pictures.)
TDecodeSize ReducedDecodeSize(int fullWidth, int fullHeight, const TDecodeSize& needed);

// The full picture's source rectangle in a picture decoded at another size.
TSourceArea ScaledSourceArea(const TPixelRect& source, int fullWidth, int fullHeight,
                             int decodedWidth, int decodedHeight);
