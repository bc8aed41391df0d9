// Times the wallpaper composition on picture files: a reload (decode, normalise,
// fit, save as BMP) against a redraw (copy of the kept fitted picture, save as BMP),
// and where a reload's time goes. Prints medians of several runs.
//
//   composition_bench.exe [--runs N] [--install] WIDTH HEIGHT PICTURE...
#include <windows.h>

#include <gdiplus.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/FunStatus.h"
#include "core/PictureGeometry.h"
#include "core/WallpaperFiles.h"
#include "platform/GdiPlusPicture.h"
#include "platform/GdiPlusSession.h"
#include "platform/ScreenBitmap.h"
#include "platform/WallpaperInstall.h"

namespace {

double Seconds() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The options a fresh installation starts with, normalisation switched on.
ResizeRules BenchRules() { return ResizeRules{}; }

TPictureEffects BenchEffects() {
  TPictureEffects effects;
  effects.Normalize = true;
  effects.Level = 0.5;
  effects.Method = "Balanced scaling";
  effects.GammaPercent = 100;
  return effects;
}

struct TReloadSteps {
  double Decode = 0, Normalize = 0, Scale = 0, Save = 0, Install = 0;
};

struct TRunTimes {
  std::vector<double> Reload, Redraw, Decode, Normalize, Scale, Save, Install;
};

bool Fail(const char* what, const std::string& picture) {
  std::fprintf(stderr, "%s failed for %s: %s\n", what, picture.c_str(), FunStatContext.Description.c_str());
  return false;
}

// One reload taken apart step by step, so that each step is timed on its own.
bool TimeReloadSteps(const std::string& picture, int width, int height, const std::string& bmpPath,
                     bool install, TRunTimes& times, std::unique_ptr<TScreenBitmap>& fitted) {
  double start = Seconds();
  TDecodedPicture decoded(picture);
  if (!IsBitmapSizeAcceptable(decoded.Width(), decoded.Height())) return Fail("decode", picture);
  // GDI+ may decode lazily: a one-pixel read makes sure the pixels exist before timing stops.
  Gdiplus::ARGB pixel = 0;
  Gdiplus::DllExports::GdipBitmapGetPixel(decoded.Bitmap(), 0, 0, &pixel);
  times.Decode.push_back(Seconds() - start);

  start = Seconds();
  double factor = 0;
  if (!NormalizeDecodedPicture(decoded, BenchEffects(), &factor)) return Fail("normalise", picture);
  times.Normalize.push_back(Seconds() - start);

  start = Seconds();
  const TPictureDrawingPlan plan =
      PlanPictureDrawing(decoded.Width(), decoded.Height(), width, height, BenchRules(), 100);
  fitted = TScreenBitmap::Create(width, height);
  if (!fitted) return Fail("bitmap", picture);
  DrawPlannedPicture(decoded.Bitmap(), plan, *fitted);
  times.Scale.push_back(Seconds() - start);

  start = Seconds();
  if (!SaveBitmapAsBmpFile(*fitted, bmpPath)) return Fail("save", picture);
  times.Save.push_back(Seconds() - start);

  if (install) {
    start = Seconds();
    if (!SetFileAsWallpaper(WallpaperFileName)) return Fail("install", picture);
    times.Install.push_back(Seconds() - start);
  }
  return true;
}

bool BenchPicture(const std::string& picture, int width, int height, int runs, bool install) {
  const std::string bmpPath = WallpaperFilePath(GetTempDirectory());
  TRunTimes times;
  std::unique_ptr<TScreenBitmap> fitted;
  int pictureWidth = 0, pictureHeight = 0;
  {
    TDecodedPicture probe(picture);
    pictureWidth = probe.Width();
    pictureHeight = probe.Height();
  }
  for (int run = 0; run < runs; ++run) {
    // The whole reload as the pipeline runs it.
    double start = Seconds();
    std::unique_ptr<TScreenBitmap> reloaded;
    LoadTilePictureToBitmap(picture, reloaded, BenchRules(), width, height, BenchEffects(), nullptr, nullptr);
    if (!reloaded) return Fail("reload", picture);
    if (!SaveBitmapAsBmpFile(*reloaded, bmpPath)) return Fail("save", picture);
    times.Reload.push_back(Seconds() - start);

    // A redraw: the kept fitted picture copied and saved; nothing is decoded.
    start = Seconds();
    std::unique_ptr<TScreenBitmap> wallpaper = reloaded->Copy();
    if (!wallpaper) return Fail("copy", picture);
    if (!SaveBitmapAsBmpFile(*wallpaper, bmpPath)) return Fail("save", picture);
    times.Redraw.push_back(Seconds() - start);

    if (!TimeReloadSteps(picture, width, height, bmpPath, install, times, fitted)) return false;
  }
  const double reload = Median(times.Reload) * 1000;
  const double redraw = Median(times.Redraw) * 1000;
  std::printf("%-28s %5dx%-5d %4.1f MP  %4dx%-4d  reload %7.1f ms  redraw %6.1f ms  ratio %.3f  |"
              "  decode %6.1f  normalise %6.1f  scale %6.1f  save %5.1f  install %5.1f\n",
              picture.substr(picture.find_last_of("\\/") + 1).c_str(), pictureWidth, pictureHeight,
              pictureWidth * static_cast<double>(pictureHeight) / 1e6, width, height, reload, redraw,
              reload > 0 ? redraw / reload : 0.0, Median(times.Decode) * 1000, Median(times.Normalize) * 1000,
              Median(times.Scale) * 1000, Median(times.Save) * 1000, Median(times.Install) * 1000);
  std::fflush(stdout);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 5;
  bool install = false;
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
      runs = std::max(1, std::atoi(argv[++i]));
    else if (std::strcmp(argv[i], "--install") == 0)
      install = true;
    else
      arguments.push_back(argv[i]);
  }
  if (arguments.size() < 3) {
    std::fprintf(stderr, "usage: composition_bench [--runs N] [--install] WIDTH HEIGHT PICTURE...\n");
    return 2;
  }
  const int width = std::atoi(arguments[0].c_str());
  const int height = std::atoi(arguments[1].c_str());
  const TGdiPlusSession gdiPlus;
  bool ok = true;
  for (size_t i = 2; i < arguments.size(); ++i) ok = BenchPicture(arguments[i], width, height, runs, install) && ok;
  return ok ? 0 : 1;
}
