#include "core/composition/Resampler.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <functional>
#include <new>
#include <vector>

#include "core/composition/RowBands.h"

namespace {

constexpr double kCubicRadius = 2.0;

// The Catmull-Rom cubic (B = 0, C = 1/2) at distance t, in units of the filter's scale.
double CatmullRomWeight(double t) {
  t = std::fabs(t);
  if (t < 1) return (1.5 * t - 2.5) * t * t + 1;
  if (t < 2) return ((-0.5 * t + 2.5) * t - 4) * t + 2;
  return 0;
}
// Work rows of one thread stay below this many floats (32 MB); wider jobs are
// split into column strips.
constexpr size_t kMaxRingFloats = size_t{8} << 20;
// Fewer rows than this per thread cost more in starting threads than they save.
constexpr int kMinRowsPerWorker = 16;

// The taps of one axis: output sample i reads Taps source samples from First[i]
// with the weights at Weights[i * Taps]. Every sample has the same count (unused
// taps weigh 0), so the inner loops have no per-sample bounds.
struct TAxisFilter {
  int Taps = 0;
  std::vector<int> First;
  std::vector<float> Weights;
};

// The filter for output samples [outFirst, outFirst + outCount) of an axis whose
// outputTotal samples cover [start, start + length) of the source; taps stay in
// [low, high), and weights are renormalised where the edge cuts the support off.
bool BuildAxisFilter(double start, double length, int outputTotal, int outFirst, int outCount,
                     int low, int high, TAxisFilter& filter) {
  if (outCount < 1 || high <= low || !(length > 0) || outputTotal < 1) return false;
  const double scale = length / outputTotal;
  const double filterScale = std::max(1.0, scale);
  const double support = kCubicRadius * filterScale;
  std::vector<int> lows(outCount), highs(outCount);
  int taps = 1;
  for (int i = 0; i < outCount; ++i) {
    const double centre = start + (outFirst + i + 0.5) * scale;
    // Source pixel j (centre j + 0.5) counts when strictly inside the support.
    int jLow = static_cast<int>(std::max<double>(low, std::floor(centre - support - 0.5) + 1));
    int jHigh = static_cast<int>(std::min<double>(high - 1, std::ceil(centre + support - 0.5) - 1));
    if (jLow > jHigh) {
      jLow = jHigh = std::clamp(static_cast<int>(std::floor(centre)), low, high - 1);
    }
    lows[i] = jLow;
    highs[i] = jHigh;
    taps = std::max(taps, jHigh - jLow + 1);
  }
  taps = std::min(taps, high - low);
  filter.Taps = taps;
  filter.First.assign(outCount, 0);
  filter.Weights.assign(static_cast<size_t>(outCount) * taps, 0.0f);
  std::vector<double> weights(taps);
  for (int i = 0; i < outCount; ++i) {
    const double centre = start + (outFirst + i + 0.5) * scale;
    const int first = std::min(lows[i], high - taps);
    double sum = 0;
    for (int k = 0; k < taps; ++k) {
      const int j = first + k;
      weights[k] = j < lows[i] || j > highs[i] ? 0.0 : CatmullRomWeight((j + 0.5 - centre) / filterScale);
      sum += weights[k];
    }
    float* out = filter.Weights.data() + static_cast<size_t>(i) * taps;
    if (sum > 1e-9) {
      for (int k = 0; k < taps; ++k) out[k] = static_cast<float>(weights[k] / sum);
    } else {
      // Only reached through rounding at a cut-off edge: take the nearest pixel.
      const int nearest = std::clamp(static_cast<int>(std::floor(centre)), first, first + taps - 1);
      out[nearest - first] = 1.0f;
    }
    filter.First[i] = first;
  }
  return true;
}

// Everything the workers share, fixed before they start.
struct TJob {
  TPixelWalk Source;
  TPixelSpan Target;
  int DestX = 0;  // target column of output column 0
  int DestY = 0;
  TAxisFilter Columns;  // for the visible output columns
  TAxisFilter Rows;     // for the visible output rows
  const TChannelTable* Channels = nullptr;  // none when empty
  float Values[256];    // source channel value -> filtered value (gamma applied)
  bool IdentityValues = true;
  bool Opaque = true;
  int StripWidth = 0;   // output columns per strip
  const std::function<bool()>* Cancelled = nullptr;  // none: the work cannot be cancelled
  mutable std::atomic<bool> Stopped{false};           // some thread saw it cancelled
};

// Rows a thread draws between two questions whether the work is cancelled.
constexpr int kRowsBetweenCancelChecks = 16;

bool ShouldStop(const TJob& job, int rowsDone) {
  if (job.Cancelled == nullptr) return false;
  if (job.Stopped) return true;
  if (rowsDone % kRowsBetweenCancelChecks != 0 || !(*job.Cancelled)()) return false;
  job.Stopped = true;
  return true;
}

// One source row of the view, columns [low, high), as floats through the value table;
// premultiplied by alpha unless the picture is opaque.
void LoadSourceRow(const TJob& job, int row, int low, int high, float* out) {
  const std::ptrdiff_t stepX = job.Source.StepX;
  const uint8_t* const first = job.Source.At(low, row);
  const int count = high - low;
  if (job.Opaque && job.IdentityValues && job.Channels == nullptr && stepX == 4) {
    // Contiguous and unmapped: a plain conversion the compiler vectorises.
    const int n = count * 4;
    for (int i = 0; i < n; ++i) out[i] = static_cast<float>(first[i]);
    return;
  }
  // Each address is formed from the row's first pixel, never one step past the last:
  // a turned picture walks backwards, and that step would leave the buffer.
  const float* values = job.Values;
  const TChannelTable* const channels = job.Channels;
  for (int x = 0; x < count; ++x, out += 4) {
    const uint8_t* p = first + x * stepX;
    uint8_t b = p[0], g = p[1], r = p[2];
    if (channels) {
      const uint8_t* row = channels->RowFor(b, g, r);
      b = row[b], g = row[g], r = row[r];
    }
    const float alpha = job.Opaque ? 1.0f : p[3] * (1.0f / 255.0f);
    out[0] = values[b] * alpha;
    out[1] = values[g] * alpha;
    out[2] = values[r] * alpha;
    out[3] = job.Opaque ? 255.0f : p[3];
  }
}

// Horizontal pass of one row: output columns [first, last) of the filter, reading a
// row loaded from source column sourceLow on. With the tap count fixed at compile
// time the tap loop unrolls and each tap becomes one four-channel vector operation.
template <int Taps>
void FilterRowFixed(const TAxisFilter& columns, int first, int last, int sourceLow, const float* row,
                    float* out) {
  for (int x = first; x < last; ++x, out += 4) {
    const float* weights = columns.Weights.data() + static_cast<size_t>(x) * Taps;
    const float* s = row + static_cast<std::ptrdiff_t>(columns.First[x] - sourceLow) * 4;
    float b = weights[0] * s[0], g = weights[0] * s[1], r = weights[0] * s[2], a = weights[0] * s[3];
    for (int k = 1; k < Taps; ++k) {
      const float w = weights[k];
      b += w * s[4 * k];
      g += w * s[4 * k + 1];
      r += w * s[4 * k + 2];
      a += w * s[4 * k + 3];
    }
    out[0] = b;
    out[1] = g;
    out[2] = r;
    out[3] = a;
  }
}

void FilterRowAnyTaps(const TAxisFilter& columns, int first, int last, int sourceLow, const float* row,
                      float* out) {
  const int taps = columns.Taps;
  for (int x = first; x < last; ++x, out += 4) {
    const float* weights = columns.Weights.data() + static_cast<size_t>(x) * taps;
    const float* s = row + static_cast<std::ptrdiff_t>(columns.First[x] - sourceLow) * 4;
    float b = 0, g = 0, r = 0, a = 0;
    for (int k = 0; k < taps; ++k, s += 4) {
      const float w = weights[k];
      b += w * s[0];
      g += w * s[1];
      r += w * s[2];
      a += w * s[3];
    }
    out[0] = b;
    out[1] = g;
    out[2] = r;
    out[3] = a;
  }
}

// Vertical pass: the weighted sum of the filtered rows, over count floats, in one
// sweep when the tap count is fixed at compile time.
template <int Taps>
void SumRowsFixed(const float* const* rows, const float* weights, int count, float* sum) {
  const float* row[Taps];
  float w[Taps];
  for (int k = 0; k < Taps; ++k) row[k] = rows[k], w[k] = weights[k];
  for (int i = 0; i < count; ++i) {
    float total = w[0] * row[0][i];
    for (int k = 1; k < Taps; ++k) total += w[k] * row[k][i];
    sum[i] = total;
  }
}

void SumRowsAnyTaps(const float* const* rows, const float* weights, int taps, int count, float* sum) {
  const float* row = rows[0];
  const float w0 = weights[0];
  for (int i = 0; i < count; ++i) sum[i] = w0 * row[i];
  for (int k = 1; k < taps; ++k) {
    const float w = weights[k];
    if (w == 0.0f) continue;
    row = rows[k];
    for (int i = 0; i < count; ++i) sum[i] += w * row[i];
  }
}

using TFilterRow = void (*)(const TAxisFilter&, int, int, int, const float*, float*);
using TSumRows = void (*)(const float* const*, const float*, int, float*);

template <int... Taps>
struct TFixedKernels {
  static constexpr TFilterRow kFilterRows[] = {nullptr, &FilterRowFixed<Taps>...};
  static constexpr TSumRows kSumRows[] = {nullptr, &SumRowsFixed<Taps>...};
  static constexpr int kLargest = sizeof...(Taps);
};
// Up to 16 taps covers enlarging (4) and shrinking up to about 3.5 times.
using TKernels = TFixedKernels<1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16>;

void FilterRow(const TAxisFilter& columns, int first, int last, int sourceLow, const float* row,
               float* out) {
  if (columns.Taps <= TKernels::kLargest)
    TKernels::kFilterRows[columns.Taps](columns, first, last, sourceLow, row, out);
  else
    FilterRowAnyTaps(columns, first, last, sourceLow, row, out);
}

void kSumRows(const float* const* rows, const float* weights, int taps, int count, float* sum) {
  if (taps <= TKernels::kLargest)
    TKernels::kSumRows[taps](rows, weights, count, sum);
  else
    SumRowsAnyTaps(rows, weights, taps, count, sum);
}

inline uint8_t ToChannel(float value) {
  // Rounded, then clamped as an integer, so that the lobes' overshoot cannot wrap
  // round; the sums stay far inside the int range. Integer clamping vectorises
  // where float comparisons would not.
  int rounded = static_cast<int>(value + 0.5f);
  rounded = rounded < 0 ? 0 : rounded;
  rounded = rounded > 255 ? 255 : rounded;
  return static_cast<uint8_t>(rounded);
}

// Opaque rows carry alpha 255 into the filter and weights sum to one, so alpha comes
// out as 255 like the colours come out of their sums: one uniform loop over all
// channels, which the compiler vectorises.
void StoreOpaque(const float* sum, int pixels, uint8_t* out) {
  const int count = pixels * 4;
  for (int i = 0; i < count; ++i) out[i] = ToChannel(sum[i]);
}

// Premultiplied colour laid over the target pixel: out = colour + target x (1 - alpha).
// Where the lobes push alpha past opaque, the colour is scaled back with it, so that
// an edge in alpha alone does not brighten the colour beside it.
void StoreOver(const float* sum, int pixels, uint8_t* out) {
  for (int x = 0; x < pixels; ++x, sum += 4, out += 4) {
    float alpha = sum[3];
    const float scale = alpha > 255.0f ? 255.0f / alpha : 1.0f;
    alpha = std::clamp(alpha, 0.0f, 255.0f);
    const float keep = 1.0f - alpha * (1.0f / 255.0f);
    for (int c = 0; c < 3; ++c) {
      const float colour = std::clamp(sum[c] * scale, 0.0f, alpha);
      out[c] = ToChannel(colour + out[c] * keep);
    }
    out[3] = ToChannel(alpha + out[3] * keep);
  }
}

// Output rows [rowFirst, rowLast) of the visible part, strip by strip. Each source
// row a strip needs is filtered horizontally once and kept in a ring of Rows.Taps
// rows until no later output row reads it.
void RunBand(const TJob& job, int rowFirst, int rowLast) {
  const int taps = job.Rows.Taps;
  const int columnCount = static_cast<int>(job.Columns.First.size());
  std::vector<float> sourceRow, ring, sum;
  std::vector<int> ringRow(taps);
  std::vector<const float*> rows(taps);
  for (int stripFirst = 0; stripFirst < columnCount; stripFirst += job.StripWidth) {
    const int stripLast = std::min(columnCount, stripFirst + job.StripWidth);
    const int width = stripLast - stripFirst;
    const int sourceLow = job.Columns.First[stripFirst];
    const int sourceHigh = job.Columns.First[stripLast - 1] + job.Columns.Taps;
    sourceRow.resize(static_cast<size_t>(sourceHigh - sourceLow) * 4);
    ring.resize(static_cast<size_t>(taps) * width * 4);
    sum.resize(static_cast<size_t>(width) * 4);
    std::fill(ringRow.begin(), ringRow.end(), -1);
    for (int y = rowFirst; y < rowLast; ++y) {
      if (ShouldStop(job, y - rowFirst)) return;
      const int first = job.Rows.First[y];
      for (int k = 0; k < taps; ++k) {
        const int row = first + k;
        const int slot = row % taps;
        float* filtered = ring.data() + static_cast<size_t>(slot) * width * 4;
        if (ringRow[slot] != row) {
          LoadSourceRow(job, row, sourceLow, sourceHigh, sourceRow.data());
          FilterRow(job.Columns, stripFirst, stripLast, sourceLow, sourceRow.data(), filtered);
          ringRow[slot] = row;
        }
        rows[k] = filtered;
      }
      kSumRows(rows.data(), job.Rows.Weights.data() + static_cast<size_t>(y) * taps, taps, width * 4,
              sum.data());
      uint8_t* out = job.Target.Pixels + (job.DestY + y) * job.Target.Stride +
                     static_cast<std::ptrdiff_t>(job.DestX + stripFirst) * 4;
      if (job.Opaque)
        StoreOpaque(sum.data(), width, out);
      else
        StoreOver(sum.data(), width, out);
    }
  }
}

}  // namespace

bool ResamplePicture(const TPixelWalk& source, const TSourceArea& area, const TPixelSpan& target,
                     const TPixelRect& destination, const TResampleOptions& options) {
  if (source.Origin == nullptr || source.Width < 1 || source.Height < 1) return false;
  if (target.Pixels == nullptr || target.Width < 1 || target.Height < 1) return false;
  if (destination.IsEmpty() || !(area.Width > 0) || !(area.Height > 0)) return false;
  // The source pixels the area touches, within the picture.
  const double columnLow = std::max(0.0, std::floor(area.X));
  const double columnHigh = std::min<double>(source.Width, std::ceil(area.X + area.Width));
  const double rowLow = std::max(0.0, std::floor(area.Y));
  const double rowHigh = std::min<double>(source.Height, std::ceil(area.Y + area.Height));
  if (!(columnHigh > columnLow) || !(rowHigh > rowLow)) return false;
  // The visible part of the destination.
  const int64_t left = std::max<int64_t>(0, destination.X);
  const int64_t top = std::max<int64_t>(0, destination.Y);
  const int64_t right = std::min<int64_t>(target.Width, int64_t{destination.X} + destination.Width);
  const int64_t bottom = std::min<int64_t>(target.Height, int64_t{destination.Y} + destination.Height);
  if (right <= left || bottom <= top) return false;

  try {
    TJob job;
    job.Source = source;
    job.Target = target;
    job.DestX = static_cast<int>(left);
    job.DestY = static_cast<int>(top);
    job.Opaque = options.SourceIsOpaque;
    if (options.Cancelled) job.Cancelled = &options.Cancelled;
    if (options.Channels && !options.Channels->Values.empty()) job.Channels = options.Channels;
    for (int c = 0; c < 256; ++c) job.Values[c] = options.Gamma ? (*options.Gamma)[c] : c;
    job.IdentityValues = options.Gamma == nullptr || IsIdentityTable(*options.Gamma);
    const int visibleColumns = static_cast<int>(right - left);
    const int visibleRows = static_cast<int>(bottom - top);
    if (!BuildAxisFilter(area.X, area.Width, destination.Width, static_cast<int>(left - destination.X),
                         visibleColumns, static_cast<int>(columnLow), static_cast<int>(columnHigh),
                         job.Columns) ||
        !BuildAxisFilter(area.Y, area.Height, destination.Height, static_cast<int>(top - destination.Y),
                         visibleRows, static_cast<int>(rowLow), static_cast<int>(rowHigh), job.Rows))
      return false;
    job.StripWidth = static_cast<int>(std::clamp<size_t>(
        kMaxRingFloats / (static_cast<size_t>(job.Rows.Taps) * 4), 1, static_cast<size_t>(visibleColumns)));

    std::atomic<bool> failed{false};
    RunRowBands(visibleRows, RowBandCount(visibleRows, options.Workers, kMinRowsPerWorker),
                [&job, &failed](int, int first, int last) {
                  try {
                    RunBand(job, first, last);
                  } catch (...) {
                    failed = true;  // out of memory for the work rows
                  }
                });
    return !failed && !job.Stopped;
  } catch (const std::bad_alloc&) {
    return false;
  }
}
