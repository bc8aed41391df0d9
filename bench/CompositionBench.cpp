// Times the wallpaper composition on picture files as the program runs it: a reload
// with the options a fresh installation starts with (decode, fit, BMP, install), the
// same with brightness normalisation on, a redraw (copy of the kept fitted picture,
// the calendar, BMP, install), and the decode alone, so that the program's own work
// is the reload less the decode. Also how close the fitted picture is to a reference
// resize (PSNR). Prints medians of several runs, one RESULT line per picture; what
// normalisation adds and the own work are medians of each run's own figures.
//
//   composition_bench.exe [--runs N] [--install] [--references FOLDER] WIDTH HEIGHT PICTURE...
//   composition_bench.exe --memory WIDTH HEIGHT PICTURE
//
// A reference for PICTURE is FOLDER\<file name of PICTURE>.<WIDTH>x<HEIGHT>.png: the
// whole picture resized to the screen by a Catmull-Rom cubic in the same gamma-encoded
// values (run.sh makes them with ImageMagick). --memory runs one reload in a fresh
// process and prints how far the working set rose above where it stood before, beside
// the budget: the decoded picture, two screen-sized bitmaps and 32 MB.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchTiming.h"
#include "core/calendar/CalendarPainter.h"
#include "core/calendar/SkinParameters.h"
#include "core/composition/PictureGeometry.h"
#include "core/composition/WallpaperFiles.h"
#include "core/trace/FunStatus.h"
#include "platform/CalendarSystemNames.h"
#include "platform/GdiPlusCanvas.h"
#include "platform/GdiPlusPicture.h"
#include "platform/GdiPlusPixels.h"
#include "platform/GdiPlusSession.h"
#include "platform/LocalTime.h"
#include "platform/PicturePreparer.h"
#include "platform/ScreenBitmap.h"
#include "platform/WallpaperInstall.h"
#include "platform/WicPicture.h"

namespace {

// The options a fresh installation starts with.
TResizeRules BenchRules() { return TResizeRules{}; }
TPictureEffects FreshEffects() { return TPictureEffects{}; }

TPictureEffects NormalizedEffects() {
  TPictureEffects effects;
  effects.Normalize = true;
  effects.Level = 0.5;
  effects.Method = "Balanced scaling";
  return effects;
}

bool Fail(const char* what, const std::string& picture) {
  std::fprintf(stderr, "%s failed for %s: %s\n", what, picture.c_str(), FunStatContext.Description.c_str());
  return false;
}

std::string FileNameOf(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

// What a reload writes: the fitted picture kept, its copy saved and installed.
bool Reload(const std::string& picture, int width, int height, const TPictureEffects& effects, bool install,
            std::unique_ptr<TScreenBitmap>& fitted) {
  LoadTilePictureToBitmap(picture, fitted, BenchRules(), width, height, effects, nullptr, nullptr);
  if (!fitted) return Fail("reload", picture);
  std::unique_ptr<TScreenBitmap> wallpaper = fitted->Copy();
  if (!wallpaper) return Fail("copy", picture);
  if (!SaveBitmapAsBmpFile(*wallpaper, WallpaperFilePath(GetTempDirectory()))) return Fail("save", picture);
  if (install && !SetFileAsWallpaper(kWallpaperFileName)) return Fail("install", picture);
  return true;
}

// A redraw: the kept fitted picture copied, the default calendar painted on the copy,
// saved and installed. Nothing is decoded.
bool Redraw(const TScreenBitmap& fitted, bool install) {
  std::unique_ptr<TScreenBitmap> wallpaper = fitted.Copy();
  if (!wallpaper) return false;
  static const TCalendarSkin skin = DefaultCalendarSkin({});
  static const TCalendarNames names = CalendarLocaleNames();
  TCalendarScene scene;
  scene.ShowCalendar = true;
  scene.Now = GetLocalDateTime();
  scene.CalendarWorkArea = {0, 0, wallpaper->Width(), wallpaper->Height() - 40};
  scene.Names = names;
  TCalendarPlacement placement{0.7, 0.15, 0.1, 0.1};
  double lastRedraw = 0;
  {
    TGdiPlusCanvas canvas(wallpaper->Dc(), nullptr);
    if (!canvas.Opened()) return false;
    PaintCalendar(canvas, skin, scene, placement, lastRedraw);
  }
  GdiFlush();
  if (!SaveBitmapAsBmpFile(*wallpaper, WallpaperFilePath(GetTempDirectory()))) return false;
  return !install || SetFileAsWallpaper(kWallpaperFileName);
}

// The decoder's share of a reload: the picture decoded at full size, as the reload
// decodes it wherever the decoder cannot scale (and always with normalisation on).
bool Decode(const std::string& picture, int& width, int& height) {
  TWicPictureFile file;
  TPixelBuffer pixels;
  bool opaque = true;
  const bool decoded = (file.Open(picture) && file.Decode(pixels)) || DecodePictureWithGdiPlus(picture, pixels, opaque);
  width = pixels.Width();
  height = pixels.Height();
  return decoded;
}

// Peak signal-to-noise ratio of the colour channels against a reference picture of the
// same size, in dB; negative when the reference is missing or of another size.
double Psnr(const TScreenBitmap& fitted, const std::string& referencePath) {
  TWicPictureFile file;
  TPixelBuffer reference;
  if (!file.Open(referencePath) || !file.Decode(reference)) {
    FunStatContext.Reset(Perfect);
    return -1;
  }
  if (reference.Width() != fitted.Width() || reference.Height() != fitted.Height()) return -1;
  GdiFlush();
  double squares = 0;
  for (int y = 0; y < fitted.Height(); ++y) {
    const uint8_t* a = fitted.Pixels() + static_cast<size_t>(fitted.Stride()) * y;
    const uint8_t* b = reference.Pixels() + reference.Stride() * y;
    for (int x = 0; x < fitted.Width() * 4; ++x) {
      if (x % 4 == 3) continue;
      const double difference = static_cast<double>(a[x]) - b[x];
      squares += difference * difference;
    }
  }
  const double meanSquare = squares / (3.0 * fitted.Width() * fitted.Height());
  return meanSquare > 0 ? 10 * std::log10(255.0 * 255.0 / meanSquare) : 99.99;
}

std::string ReferencePath(const std::string& folder, const std::string& picture, int width, int height) {
  if (folder.empty()) return "";
  return folder + "\\" + FileNameOf(picture) + "." + std::to_string(width) + "x" + std::to_string(height) + ".png";
}

struct TRunTimes {
  std::vector<double> Reload, Normalized, Redraw, Prepared, Decode;
};

// A change to a picture the preparer has made ready: the file's stamp read, the prepared
// picture taken, the calendar painted on its copy, saved and installed. The preparation
// itself runs before the clock starts, as it runs while the user looks at the current one.
bool PreparedChange(TPicturePreparer& preparer, const std::string& picture, int width, int height, bool install,
                    double& seconds) {
  preparer.Prepare(PreparationKeyOf(picture, BenchRules(), FreshEffects(), width, height, 1, ReadFileStamp));
  if (!preparer.WaitUntilIdle(600000)) return Fail("preparation", picture);
  const double start = Seconds();
  double skew = 0, factor = 0;
  const std::unique_ptr<TScreenBitmap> fitted = preparer.TakeIfUsable(
      PreparationKeyOf(picture, BenchRules(), FreshEffects(), width, height, 1, ReadFileStamp), skew, factor);
  if (!fitted) return Fail("prepared picture", picture);
  if (!Redraw(*fitted, install)) return Fail("prepared change", picture);
  seconds = Seconds() - start;
  return true;
}

bool BenchPicture(const std::string& picture, int width, int height, int runs, bool install,
                  const std::string& referenceFolder) {
  TRunTimes times;
  TPicturePreparer preparer;
  std::unique_ptr<TScreenBitmap> fitted;
  int pictureWidth = 0, pictureHeight = 0;
  for (int run = 0; run < runs; ++run) {
    double start = Seconds();
    if (!Reload(picture, width, height, FreshEffects(), install, fitted)) return false;
    times.Reload.push_back(Seconds() - start);

    start = Seconds();
    if (!Redraw(*fitted, install)) return Fail("redraw", picture);
    times.Redraw.push_back(Seconds() - start);

    start = Seconds();
    if (!Reload(picture, width, height, NormalizedEffects(), install, fitted)) return false;
    times.Normalized.push_back(Seconds() - start);

    fitted.reset();
    double prepared = 0;
    if (!PreparedChange(preparer, picture, width, height, install, prepared)) return false;
    times.Prepared.push_back(prepared);

    start = Seconds();
    if (!Decode(picture, pictureWidth, pictureHeight)) return Fail("decode", picture);
    times.Decode.push_back(Seconds() - start);
  }
  double psnr = -1;
  const std::string reference = ReferencePath(referenceFolder, picture, width, height);
  if (!reference.empty() && Reload(picture, width, height, FreshEffects(), false, fitted)) psnr = Psnr(*fitted, reference);

  const double reload = Median(times.Reload) * 1000;
  const double normalized = Median(times.Normalized) * 1000;
  const double decode = Median(times.Decode) * 1000;
  // What normalisation adds and what the program does beyond decoding are taken run by
  // run, from times measured moments apart, so that the machine's drift between runs
  // does not pass for either.
  std::vector<double> added, own;
  for (size_t run = 0; run < times.Reload.size(); ++run) {
    added.push_back(times.Normalized[run] / times.Reload[run] - 1);
    own.push_back(times.Reload[run] - times.Decode[run]);
  }
  std::printf("RESULT %s %dx%d %.1fMP %dx%d reload %.1f normalised %.1f (%+.1f%%) redraw %.1f decode %.1f own %.1f"
              " psnr %.2f prepared %.1f\n",
              FileNameOf(picture).c_str(), pictureWidth, pictureHeight,
              pictureWidth * static_cast<double>(pictureHeight) / 1e6, width, height, reload, normalized,
              Median(added) * 100, Median(times.Redraw) * 1000, decode, Median(own) * 1000, psnr,
              Median(times.Prepared) * 1000);
  std::fflush(stdout);
  return true;
}

size_t WorkingSetBytes(bool peak) {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof(counters);
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters))) return 0;
  return peak ? counters.PeakWorkingSetSize : counters.WorkingSetSize;
}

bool BenchMemory(const std::string& picture, int width, int height) {
  int pictureWidth = 0, pictureHeight = 0;
  {
    TWicPictureFile file;
    if (!file.Open(picture)) return Fail("open", picture);
    pictureWidth = file.Width();
    pictureHeight = file.Height();
  }
  const size_t before = WorkingSetBytes(false);
  std::unique_ptr<TScreenBitmap> fitted;
  if (!Reload(picture, width, height, FreshEffects(), false, fitted)) return false;
  const double mb = 1024.0 * 1024.0;
  const double rise = (static_cast<double>(WorkingSetBytes(true)) - static_cast<double>(before)) / mb;
  const double budget = (4.0 * pictureWidth * pictureHeight + 2 * 4.0 * width * height) / mb + 32;
  std::printf("MEMORY %s %dx%d rise %.0f MB budget %.0f MB\n", FileNameOf(picture).c_str(), width, height, rise,
              budget);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 5;
  bool install = false;
  bool memory = false;
  std::string referenceFolder;
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
      runs = std::max(1, std::atoi(argv[++i]));
    else if (std::strcmp(argv[i], "--install") == 0)
      install = true;
    else if (std::strcmp(argv[i], "--memory") == 0)
      memory = true;
    else if (std::strcmp(argv[i], "--references") == 0 && i + 1 < argc)
      referenceFolder = argv[++i];
    else
      arguments.push_back(argv[i]);
  }
  if (arguments.size() < 3) {
    std::fprintf(stderr,
                 "usage: composition_bench [--runs N] [--install] [--references FOLDER] WIDTH HEIGHT PICTURE...\n"
                 "       composition_bench --memory WIDTH HEIGHT PICTURE\n");
    return 2;
  }
  const int width = std::atoi(arguments[0].c_str());
  const int height = std::atoi(arguments[1].c_str());
  const TGdiPlusSession gdiPlus;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  bool ok = true;
  for (size_t i = 2; i < arguments.size(); ++i)
    ok = (memory ? BenchMemory(arguments[i], width, height)
                 : BenchPicture(arguments[i], width, height, runs, install, referenceFolder)) &&
         ok;
  CoUninitialize();
  return ok ? 0 : 1;
}
