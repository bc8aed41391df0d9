// Loading a picture file onto a screen-sized bitmap: the imaging component decodes
// it (turned as its orientation tag says, at a reduced size where the drawing allows),
// GDI+ where the component cannot (metafiles), then core's rules normalise, resample
// and tile it. Also the GDI+ decode itself. The decisions (sizes, placement, tiles,
// brightness) are core's.
#pragma once

#include <windows.h>

#include <gdiplus.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/composition/Brightness.h"
#include "core/composition/CompositionPlan.h"
#include "core/composition/PictureEffects.h"
#include "core/composition/PictureGeometry.h"
#include "core/composition/ResizeRules.h"
#include "platform/ScreenBitmap.h"

// A picture decoded from its file; disposed with the object.
class TDecodedPicture {
 public:
  // Decodes the file; a file GDI+ cannot open or decode gives a 0 x 0 picture.
  explicit TDecodedPicture(const std::string& fileName);
  ~TDecodedPicture();
  TDecodedPicture(const TDecodedPicture&) = delete;
  TDecodedPicture& operator=(const TDecodedPicture&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  Gdiplus::GpBitmap* Bitmap() const { return bitmap_; }
  // All pixels locked as 32-bit ARGB, written back on unlock when locked for writing.
  TPixelAccess PixelAccess();

 private:
  Gdiplus::GpBitmap* bitmap_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  Gdiplus::BitmapData lockData_ = {};
};

// A fitted picture and what the fitting measured.
struct TFittedPictureResult {
  std::unique_ptr<TScreenBitmap> Bitmap;
  double Skew = kNoSkew;
  double Factor = kNoNormalizationFactor;
};

// Why a fitting gave no picture: the report's description with a detail and a system
// code, or Cancelled.
struct TFitFailure {
  bool Cancelled = false;
  std::string Description = "Failed to load picture.";
  std::string Detail;
  uint32_t Code = 0;
};

// The whole fitting of LoadTilePictureToBitmap without the status trace, so that a
// worker thread can run it: decode, turn, normalise, resample with `workers` threads
// (below 1: one per processor), tile. cancelled, when given, is asked between the
// steps and every few rows of the resampling. False with the failure filled in when
// there is no picture.
bool FitPictureFile(const std::string& fileName, const TResizeRules& rules, int screenWidth, int screenHeight,
                    const TPictureEffects& effects, int workers, const std::function<bool()>& cancelled,
                    TFittedPictureResult& fitted, TFitFailure& failure);

// Reads a picture file, turns it upright, normalises it if asked, and lays it out on
// a new screenWidth x screenHeight bitmap by the resize rules. The result slot is
// replaced, and left empty on failure ("Failed to load picture."); the skew and
// factor slots, when given, get 1.0 and 0.0 first and the measured values after.
// COM must be initialised on the calling thread for the imaging component; without
// it every file goes to GDI+.
void LoadTilePictureToBitmap(const std::string& fileName, std::unique_ptr<TScreenBitmap>& result,
                             const TResizeRules& rules, int screenWidth, int screenHeight,
                             const TPictureEffects& effects, double* skew, double* factor);
