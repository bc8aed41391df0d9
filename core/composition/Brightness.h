// Brightness statistics of a picture and its normalisation towards a target level,
// on 32-bit pixels stored blue, green, red, alpha. Alpha is never changed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/composition/ChannelTable.h"
#include "core/composition/PixelSpan.h"

// The platform layer's lock on its bitmap: Lock fills the span for all pixels (to be
// written back on Unlock when forWriting) and returns false when the bitmap refuses.
struct TPixelAccess {
  std::function<bool(bool forWriting, TPixelSpan& span)> Lock;
  std::function<void()> Unlock;
};

struct TBrightnessStats {
  double Mean = 0;       // fraction of 255 (0..1)
  double Deviation = 0;  // fraction of 255
};

enum class TBrightnessMethod { None, AnisotropicDampening, BalancedScaling, MirroredScaling };

// The method named by its text in any letter case; None for any other text.
TBrightnessMethod BrightnessMethodFromText(const std::string& text);
// The methods' names in the order the user picks from.
const std::vector<std::string>& BrightnessMethodNames();

// Mean and deviation of the pixel value max(R, G, B), with integer sums and divisions,
// the rows shared out over `workers` threads (below 1: one per processor).
TBrightnessStats MeasureBrightness(const TPixelSpan& span, int workers = 1);

// The normalisation as a table, to apply while the pixels are read for another pass;
// factor gets the applied level / mean (both clamped).
TChannelTable NormalizationTable(TBrightnessMethod method, double mean, double deviation, double level,
                                 double& factor);

// Normalises the pixels in place; returns the applied factor level / mean (both clamped).
double ApplyBrightnessNormalization(const TPixelSpan& span, TBrightnessMethod method,
                                    double mean, double deviation, double level);

// The traced operations on a locked bitmap. A refused lock is recorded as
// "Failed to lock bitmap bits"; the statistics are then 0 and the pixels unchanged.
TBrightnessStats GetPictureBright(const TPixelAccess& picture);
double NormalizePictureBrightness(const TPixelAccess& picture, const std::string& method,
                                  double mean, double deviation, double level);

// The channel rules, each truncated toward zero and saturated at 255.
int ScaleChannel(int channel, double factor);
int MirrorScaleChannel(int channel, bool brighten, double factor);
