// Laying a decoded picture out on the screen-sized buffer as the drawing plan says:
// the filling colour, the picture resampled into its destination (turned, cropped,
// with the gamma table), then the tile copies. Everything a fitted picture needs
// after decoding, with no system call.
#pragma once

#include "core/composition/PictureGeometry.h"
#include "core/composition/PixelSpan.h"
#include "core/composition/Resampler.h"

// The picture is walked in its turned order (OrientedWalk); area is the plan's source
// rectangle in that picture (ScaledSourceArea when it was decoded at a reduced size).
// The options say how the picture is read (opacity, normalisation), by how many threads
// and until when; the gamma comes from the plan. The target must have the plan's size.
// False when the target does not match, the resampler had no memory for its work rows,
// or the work was cancelled.
bool DrawPlanOnBuffer(const TPictureDrawingPlan& plan, const TPixelWalk& picture, const TSourceArea& area,
                      const TPixelSpan& target, const TResampleOptions& options);

// Every pixel set to a 0x00BBGGRR colour, opaque.
void FillBuffer(const TPixelSpan& target, uint32_t color);

// A plain copy of a block inside the buffer, clipped at its edges, correct when the
// block and its copy overlap.
void CopyBlockInBuffer(const TPixelSpan& target, const TBlockCopy& copy);
