#include "core/composition/Brightness.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "core/composition/RowBands.h"
#include "core/text/AsciiText.h"
#include "core/trace/FunStatus.h"

namespace {

struct TMethodName {
  const char* Text;
  TBrightnessMethod Method;
};

const TMethodName kMethodNames[] = {
    {"Anisotropic dampening", TBrightnessMethod::AnisotropicDampening},
    {"Balanced scaling", TBrightnessMethod::BalancedScaling},
    {"Mirrored scaling", TBrightnessMethod::MirroredScaling},
};

// Truncates toward zero and saturates at 255 (and, for safety, at 0).
uint8_t Saturate(double value) {
  if (!(value > 0)) return 0;
  if (value >= 255) return 255;
  return static_cast<uint8_t>(value);
}

// Clamps into lo..hi; a value that is not a number becomes lo.
double ClampFraction(double value) {
  if (!(value >= 0.01)) return 0.01;
  return std::min(value, 1.0);
}

TChannelTable BuildChannelTable(TBrightnessMethod method, double r, double l, double deviation) {
  TChannelTable table;
  const bool brighten = l > r;
  auto perPixel = [&table](auto&& newValue) {
    table.Values.resize(256 * 256);
    table.RowStride = 256;
    for (int v = 0; v < 256; ++v)
      for (int c = 0; c < 256; ++c) table.Values[v * 256 + c] = newValue(v, c);
  };
  auto sameForAll = [&table](auto&& newValue) {
    table.Values.resize(256);
    for (int c = 0; c < 256; ++c) table.Values[c] = newValue(c);
  };
  switch (method) {
    case TBrightnessMethod::AnisotropicDampening: {
      const double k = (std::fabs(l - r) * 0.5 + 1) * (deviation * 0.5 + 1);
      perPixel([&](int v, int c) {
        const double value = v / 255.0;
        const double f = (l + 0.5) / (1 + value * k * std::sqrt(1 - std::fabs(1 - l - value)));
        return Saturate(c * f);
      });
      break;
    }
    case TBrightnessMethod::BalancedScaling: {
      const double scale = l / r;
      if (brighten)
        perPixel([&](int v, int c) { return Saturate(c * ((scale - 1) * (1 - v / 255.0) + 1)); });
      else
        sameForAll([&](int c) { return Saturate(c * scale); });
      break;
    }
    case TBrightnessMethod::MirroredScaling: {
      const double f = brighten ? (1 - l) / (1 - r) : l / r;
      sameForAll([&](int c) { return static_cast<uint8_t>(MirrorScaleChannel(c, brighten, f)); });
      break;
    }
    case TBrightnessMethod::None: break;
  }
  return table;
}

void ApplyChannelTable(const TPixelSpan& span, const TChannelTable& table) {
  if (table.Values.empty() || span.Pixels == nullptr) return;
  // Locals, not members: byte stores may alias anything, which would force reloads.
  const uint8_t* const values = table.Values.data();
  const size_t rowStride = table.RowStride;
  const int width = span.Width;
  const int height = span.Height;
  for (int y = 0; y < height; ++y) {
    uint8_t* p = span.Pixels + y * span.Stride;
    for (int x = 0; x < width; ++x, p += 4) {
      const uint8_t b = p[0], g = p[1], r = p[2];
      const uint8_t* row = values + std::max(r, std::max(g, b)) * rowStride;
      p[0] = row[b];
      p[1] = row[g];
      p[2] = row[r];
    }
  }
}

class TLockedPixels {
 public:
  explicit TLockedPixels(const TPixelAccess& access) : access_(access) {}
  bool Lock(bool forWriting) {
    locked_ = access_.Lock && access_.Lock(forWriting, span_);
    return locked_;
  }
  void Unlock() {
    if (locked_ && access_.Unlock) access_.Unlock();
    locked_ = false;
  }
  const TPixelSpan& Span() const { return span_; }

 private:
  const TPixelAccess& access_;
  TPixelSpan span_;
  bool locked_ = false;
};

}  // namespace

TBrightnessMethod BrightnessMethodFromText(const std::string& text) {
  for (const TMethodName& name : kMethodNames)
    if (SameTextAscii(text, name.Text)) return name.Method;
  return TBrightnessMethod::None;
}

const std::vector<std::string>& BrightnessMethodNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> texts;
    for (const TMethodName& name : kMethodNames) texts.emplace_back(name.Text);
    return texts;
  }();
  return names;
}

int ScaleChannel(int channel, double factor) { return Saturate(channel * factor); }

int MirrorScaleChannel(int channel, bool brighten, double factor) {
  return brighten ? Saturate(255 - factor * (255 - channel)) : Saturate(factor * channel);
}

namespace {

// Adds the pixel values max(R, G, B) of rows [first, last) to the histogram. Four
// interleaved histograms keep runs of equal pixels from waiting on each other.
void CountPixelValues(const TPixelSpan& span, int first, int last, uint64_t* histogram) {
  uint64_t histograms[4][256] = {};
  for (int y = first; y < last; ++y) {
    const uint8_t* p = span.Pixels + y * span.Stride;
    int x = 0;
    for (; x + 4 <= span.Width; x += 4, p += 16) {
      ++histograms[0][std::max(p[2], std::max(p[1], p[0]))];
      ++histograms[1][std::max(p[6], std::max(p[5], p[4]))];
      ++histograms[2][std::max(p[10], std::max(p[9], p[8]))];
      ++histograms[3][std::max(p[14], std::max(p[13], p[12]))];
    }
    for (; x < span.Width; ++x, p += 4) ++histograms[0][std::max(p[2], std::max(p[1], p[0]))];
  }
  for (int v = 0; v < 256; ++v)
    histogram[v] += histograms[0][v] + histograms[1][v] + histograms[2][v] + histograms[3][v];
}

// Fewer rows than this per thread cost more in starting threads than they save.
constexpr int kMinRowsPerWorker = 64;

}  // namespace

TBrightnessStats MeasureBrightness(const TPixelSpan& span, int workers) {
  TBrightnessStats stats;
  const uint64_t count = static_cast<uint64_t>(std::max(span.Width, 0)) *
                         static_cast<uint64_t>(std::max(span.Height, 0));
  if (count == 0 || span.Pixels == nullptr) return stats;

  // One pass into a histogram of pixel values gives both integer sums exactly, and
  // the bands' histograms add up to the same whatever their number.
  const int bands = RowBandCount(span.Height, workers, kMinRowsPerWorker);
  std::vector<std::array<uint64_t, 256>> bandHistograms(bands);
  RunRowBands(span.Height, bands, [&](int band, int first, int last) {
    bandHistograms[band].fill(0);
    CountPixelValues(span, first, last, bandHistograms[band].data());
  });
  uint64_t histogram[256] = {};
  uint64_t sum = 0;
  for (int v = 0; v < 256; ++v) {
    for (const auto& bandHistogram : bandHistograms) histogram[v] += bandHistogram[v];
    sum += histogram[v] * v;
  }
  const int64_t mean = static_cast<int64_t>(sum / count);
  uint64_t squares = 0;
  for (int v = 0; v < 256; ++v) {
    const int64_t distance = v - mean;
    squares += histogram[v] * static_cast<uint64_t>(distance * distance);
  }
  stats.Mean = mean * (1.0 / 255);
  stats.Deviation = std::sqrt(static_cast<double>(squares / count)) * (1.0 / 255);
  return stats;
}

TChannelTable NormalizationTable(TBrightnessMethod method, double mean, double deviation, double level,
                                 double& factor) {
  const double r = ClampFraction(mean);
  const double l = ClampFraction(level);
  factor = l / r;
  return BuildChannelTable(method, r, l, deviation);
}

double ApplyBrightnessNormalization(const TPixelSpan& span, TBrightnessMethod method,
                                    double mean, double deviation, double level) {
  double factor = 0;
  ApplyChannelTable(span, NormalizationTable(method, mean, deviation, level, factor));
  return factor;
}

TBrightnessStats GetPictureBright(const TPixelAccess& picture) {
  FUN_TRACE("GetPictureBright");
  TBrightnessStats stats;
  FUN_GUARD({
    TLockedPixels pixels(picture);
    if (!pixels.Lock(false)) {
      FUN_RAISE("Failed to lock bitmap bits");
      return;
    }
    stats = MeasureBrightness(pixels.Span());
    pixels.Unlock();
  });
  return stats;
}

double NormalizePictureBrightness(const TPixelAccess& picture, const std::string& method,
                                  double mean, double deviation, double level) {
  FUN_TRACE("NormalizePictureBrightness");
  const double r = ClampFraction(mean);
  const double l = ClampFraction(level);
  FUN_GUARD({
    // Built before locking, so that nothing can fail while the bitmap is locked.
    const TChannelTable table = BuildChannelTable(BrightnessMethodFromText(method), r, l, deviation);
    TLockedPixels pixels(picture);
    if (!pixels.Lock(true)) {
      FUN_RAISE("Failed to lock bitmap bits");
      return;
    }
    ApplyChannelTable(pixels.Span(), table);
    pixels.Unlock();
  });
  return l / r;
}
