// Times the resampler alone on generated pictures, on one thread and on every
// processor, with and without a gamma table. Standard C++: built natively by
// run.sh and for Windows by CMake, so the two figures come from the same code.
//
//   resampler_bench [--runs N] [SOURCExSIZE:TARGETxSIZE ...]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "core/composition/GammaTable.h"
#include "core/composition/PixelSpan.h"
#include "core/composition/Resampler.h"

namespace {

struct TCase {
  int SourceWidth, SourceHeight, TargetWidth, TargetHeight;
};

// Processor time of the whole process in ms: on a shared machine the wall clock
// also counts other programs' turns.
double ProcessorMs() {
#ifdef _WIN32
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto ms = [](const FILETIME& t) {
    return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e4;
  };
  return ms(kernel) + ms(user);
#else
  return std::clock() * 1000.0 / CLOCKS_PER_SEC;
#endif
}

struct TTimes {
  double Wall = -1;
  double Processor = -1;
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// A gradient with grain, like the composition bench's pictures.
bool MakePicture(TPixelBuffer& picture, int width, int height) {
  if (!picture.Allocate(width, height)) return false;
  uint32_t seed = 12345;
  for (int y = 0; y < height; ++y) {
    uint8_t* p = picture.Pixels() + y * picture.Stride();
    for (int x = 0; x < width; ++x, p += 4) {
      seed = seed * 1664525u + 1013904223u;
      const int grain = static_cast<int>(seed >> 27) - 16;
      const int base = (x * 255 / width + y * 255 / height) / 2;
      p[0] = static_cast<uint8_t>(std::clamp(255 - base + grain, 0, 255));
      p[1] = static_cast<uint8_t>(std::clamp(base / 2 + grain, 0, 255));
      p[2] = static_cast<uint8_t>(std::clamp(base + grain, 0, 255));
      p[3] = 255;
    }
  }
  return true;
}

TTimes TimeResample(const TPixelBuffer& picture, TPixelBuffer& target, const TGammaTable* gamma,
                    int workers, int runs) {
  std::vector<double> times, processor;
  for (int run = 0; run < runs; ++run) {
    const auto start = std::chrono::steady_clock::now();
    const double startProcessor = ProcessorMs();
    TResampleOptions options;
    options.Gamma = gamma;
    options.Workers = workers;
    if (!ResamplePicture(picture.Walk(), {0, 0, double(picture.Width()), double(picture.Height())},
                         target.Span(), {0, 0, target.Width(), target.Height()}, options))
      return {};
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    processor.push_back(ProcessorMs() - startProcessor);
  }
  return {Median(times), Median(processor)};
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 5;
  std::vector<TCase> cases;
  for (int i = 1; i < argc; ++i) {
    TCase c{};
    if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
      runs = std::max(1, std::atoi(argv[++i]));
    else if (std::sscanf(argv[i], "%dx%d:%dx%d", &c.SourceWidth, &c.SourceHeight, &c.TargetWidth,
                         &c.TargetHeight) == 4)
      cases.push_back(c);
  }
  if (cases.empty())
    cases = {{6000, 4000, 3840, 2160}, {4240, 2832, 3840, 2160}, {1732, 1155, 3840, 2160},
             {6000, 4000, 1920, 1080}, {1732, 1155, 1920, 1080}};
  const int processors = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  const TGammaTable gamma = GammaTableForPercent(150);
  std::printf("median of %d runs in ms (wall clock, and processor time of all threads); %d processors\n",
              runs, processors);
  for (const TCase& c : cases) {
    TPixelBuffer picture, target;
    if (!MakePicture(picture, c.SourceWidth, c.SourceHeight) || !target.Allocate(c.TargetWidth, c.TargetHeight)) {
      std::fprintf(stderr, "no memory for %dx%d\n", c.SourceWidth, c.SourceHeight);
      return 1;
    }
    const TTimes one = TimeResample(picture, target, nullptr, 1, runs);
    const TTimes all = TimeResample(picture, target, nullptr, processors, runs);
    const TTimes allGamma = TimeResample(picture, target, &gamma, processors, runs);
    std::printf("%5dx%-5d -> %4dx%-4d  1 thread %6.1f (cpu %6.1f)  %d threads %6.1f (cpu %6.1f)"
                "  with gamma %6.1f (cpu %6.1f)\n",
                c.SourceWidth, c.SourceHeight, c.TargetWidth, c.TargetHeight, one.Wall, one.Processor,
                processors, all.Wall, all.Processor, allGamma.Wall, allGamma.Processor);
    std::fflush(stdout);
  }
  return 0;
}
