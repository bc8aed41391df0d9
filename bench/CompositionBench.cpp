// Times the wallpaper composition on picture files: a reload (decode, normalise,
// fit, save as BMP) against a redraw (copy of the kept fitted picture, save as BMP),
// and where a reload's time goes. Beside it the new path: the imaging component's
// decode into our own buffer, then the program's own work (brightness, the cubic
// resampler with its gamma table, the BMP), and how close each path's fitted picture
// is to a reference resize (PSNR). Prints medians of several runs.
//
//   composition_bench.exe [--runs N] [--install] [--references FOLDER] WIDTH HEIGHT PICTURE...
//
// A reference for PICTURE is FOLDER\<file name of PICTURE>.<WIDTH>x<HEIGHT>.png: the
// whole picture resized to the screen by a Catmull-Rom cubic in the same gamma-encoded
// values (run.sh makes them with ImageMagick).
#include <windows.h>

#include <gdiplus.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchTiming.h"
#include "core/composition/Brightness.h"
#include "core/composition/FittedPicture.h"
#include "core/trace/FunStatus.h"
#include "core/composition/PictureGeometry.h"
#include "core/composition/PictureOrientation.h"
#include "core/composition/WallpaperFiles.h"
#include "platform/GdiPlusPicture.h"
#include "platform/GdiPlusSession.h"
#include "platform/ScreenBitmap.h"
#include "platform/WallpaperInstall.h"
#include "platform/WicPicture.h"

namespace {

// The options a fresh installation starts with, normalisation switched on.
TResizeRules BenchRules() { return TResizeRules{}; }

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
    if (!SetFileAsWallpaper(kWallpaperFileName)) return Fail("install", picture);
    times.Install.push_back(Seconds() - start);
  }
  return true;
}

// ---- The new path ----

struct TNewPathTimes {
  std::vector<double> Decode, OwnWork, OwnWorkNormalized, Scale, ScaleWithGamma, Save;
};

// The program's own work on a decoded picture: brightness when asked, the fill, the
// resampler with its gamma table, the tile copies (all in DrawPlanOnBuffer), the BMP.
bool ComposeDecoded(TPixelBuffer& decoded, int orientation, bool opaque, int width, int height,
                    const TPictureEffects& effects, const std::string& bmpPath, bool install,
                    std::unique_ptr<TScreenBitmap>& fitted, double& scaleSeconds, double& ownSeconds) {
  const double start = Seconds();
  if (effects.Normalize) {
    const TBrightnessStats stats = MeasureBrightness(decoded.Span());
    ApplyBrightnessNormalization(decoded.Span(), BrightnessMethodFromText(effects.Method), stats.Mean,
                                 stats.Deviation, effects.Level);
  }
  const TPixelWalk walk = OrientedWalk(decoded.Span(), orientation);
  const TPictureDrawingPlan plan = PlanPictureDrawing(walk.Width, walk.Height, width, height, BenchRules(),
                                                      effects.GammaPercent);
  fitted = TScreenBitmap::Create(width, height);
  if (!fitted) return false;
  const double scaleStart = Seconds();
  const TPixelSpan target{fitted->Pixels(), width, height, fitted->Stride()};
  if (!DrawPlanOnBuffer(plan, walk, SourceAreaOf(plan.Source), opaque, target, 0)) return false;
  scaleSeconds = Seconds() - scaleStart;
  if (!SaveBitmapAsBmpFile(*fitted, bmpPath)) return false;
  if (install && !SetFileAsWallpaper(kWallpaperFileName)) return false;
  ownSeconds = Seconds() - start;
  return true;
}

bool DecodeWithWic(const std::string& picture, TWicPictureFile& file, TPixelBuffer& pixels) {
  return file.Open(picture) && file.Decode(pixels);
}

// Peak signal-to-noise ratio of the colour channels against a reference picture of the
// same size, in dB; negative when the reference is missing or of another size.
double Psnr(const TScreenBitmap& fitted, const std::string& referencePath) {
  TWicPictureFile file;
  TPixelBuffer reference;
  if (!DecodeWithWic(referencePath, file, reference)) {
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
  return folder + "\\" + picture.substr(picture.find_last_of("\\/") + 1) + "." + std::to_string(width) +
         "x" + std::to_string(height) + ".png";
}

// The GDI+ path's fitted picture without normalisation, for its PSNR.
std::unique_ptr<TScreenBitmap> FitWithGdiPlus(const std::string& picture, int width, int height) {
  std::unique_ptr<TScreenBitmap> fitted;
  TPictureEffects effects;
  LoadTilePictureToBitmap(picture, fitted, BenchRules(), width, height, effects, nullptr, nullptr);
  return fitted;
}

bool BenchNewPath(const std::string& picture, int width, int height, int runs, bool install,
                  const std::string& referenceFolder, double gdiScaleMs) {
  const std::string bmpPath = WallpaperFilePath(GetTempDirectory());
  TNewPathTimes times;
  std::unique_ptr<TScreenBitmap> fitted;
  TPictureEffects fresh;  // the options a fresh installation starts with
  fresh.GammaPercent = 100;
  TPictureEffects gamma = fresh;
  gamma.GammaPercent = 150;
  for (int run = 0; run < runs; ++run) {
    // Fresh options, then gamma 150, then normalisation on (no slot: the bench's effects).
    const TPictureEffects* const passes[] = {&fresh, &gamma, nullptr};
    for (const TPictureEffects* effects : passes) {
      const double start = Seconds();
      TWicPictureFile file;
      TPixelBuffer decoded;
      if (!DecodeWithWic(picture, file, decoded)) return Fail("WIC decode", picture);
      if (effects == &fresh) times.Decode.push_back(Seconds() - start);
      double scale = 0, own = 0;
      const TPictureEffects& used = effects ? *effects : BenchEffects();
      if (!ComposeDecoded(decoded, file.Orientation(), file.IsOpaque(), width, height, used, bmpPath, install,
                          fitted, scale, own))
        return Fail("new composition", picture);
      if (effects == &fresh) {
        times.Scale.push_back(scale);
        times.OwnWork.push_back(own);
        times.Save.push_back(own - scale);
      } else if (effects == &gamma) {
        times.ScaleWithGamma.push_back(scale);
      } else {
        times.OwnWorkNormalized.push_back(own);
      }
    }
  }
  // The last fitted picture was normalised; fit once more as a fresh installation would.
  double psnrNew = -1, psnrGdi = -1;
  const std::string reference = ReferencePath(referenceFolder, picture, width, height);
  if (!reference.empty()) {
    TWicPictureFile file;
    TPixelBuffer decoded;
    double scale = 0, own = 0;
    if (DecodeWithWic(picture, file, decoded) &&
        ComposeDecoded(decoded, file.Orientation(), file.IsOpaque(), width, height, fresh, bmpPath, false,
                       fitted, scale, own))
      psnrNew = Psnr(*fitted, reference);
    if (std::unique_ptr<TScreenBitmap> old = FitWithGdiPlus(picture, width, height)) psnrGdi = Psnr(*old, reference);
  }
  const double scale = Median(times.Scale) * 1000;
  std::printf("%-28s new path: decode %6.1f | own work %6.1f, normalised %6.1f | scale %6.1f, gamma %6.1f,"
              " GDI+ draw %6.1f (%4.1fx) | save%s %5.1f | PSNR",
              "", Median(times.Decode) * 1000, Median(times.OwnWork) * 1000,
              Median(times.OwnWorkNormalized) * 1000, scale, Median(times.ScaleWithGamma) * 1000, gdiScaleMs,
              scale > 0 ? gdiScaleMs / scale : 0.0, install ? "+install" : "", Median(times.Save) * 1000);
  if (psnrNew >= 0)
    std::printf(" new %5.2f dB, GDI+ %5.2f dB\n", psnrNew, psnrGdi);
  else
    std::printf(" (no reference)\n");
  std::fflush(stdout);
  return true;
}

bool BenchPicture(const std::string& picture, int width, int height, int runs, bool install,
                  const std::string& referenceFolder) {
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
  return BenchNewPath(picture, width, height, runs, install, referenceFolder, Median(times.Scale) * 1000);
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 5;
  bool install = false;
  std::string referenceFolder;
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
      runs = std::max(1, std::atoi(argv[++i]));
    else if (std::strcmp(argv[i], "--install") == 0)
      install = true;
    else if (std::strcmp(argv[i], "--references") == 0 && i + 1 < argc)
      referenceFolder = argv[++i];
    else
      arguments.push_back(argv[i]);
  }
  if (arguments.size() < 3) {
    std::fprintf(stderr, "usage: composition_bench [--runs N] [--install] [--references FOLDER] WIDTH HEIGHT PICTURE...\n");
    return 2;
  }
  const int width = std::atoi(arguments[0].c_str());
  const int height = std::atoi(arguments[1].c_str());
  const TGdiPlusSession gdiPlus;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  bool ok = true;
  for (size_t i = 2; i < arguments.size(); ++i)
    ok = BenchPicture(arguments[i], width, height, runs, install, referenceFolder) && ok;
  CoUninitialize();
  return ok ? 0 : 1;
}
