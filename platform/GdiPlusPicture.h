// Pictures through GDI+: decoding a file, locking its pixels for the brightness
// rules, and carrying out a drawing plan onto a screen-sized bitmap. The
// decisions (sizes, placement, tiles, brightness) are core's.
#pragma once

#include <windows.h>

#include <gdiplus.h>

#include <memory>
#include <string>

#include "core/composition/Brightness.h"
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

// The "Effects" options as the loader uses them.
struct TPictureEffects {
  bool Normalize = false;
  double Level = 0.5;  // percent x 0.01
  std::string Method = "Balanced scaling";
  int GammaPercent = 100;
};

// Measures and normalises the picture in place; false (the failure recorded) when its
// pixels cannot be locked. The applied factor goes to *factor when given.
bool NormalizeDecodedPicture(TDecodedPicture& picture, const TPictureEffects& effects,
                             double* factor);

// Draws the source rectangle of the picture into the destination rectangle, with the
// gamma image attribute when gammaPercent asks for one.
void DrawPictureWithEffects(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* picture,
                            const TPixelRect& destination, const TPixelRect& source,
                            bool useGamma, float gamma);

// Carries out a drawing plan on a bitmap of the plan's target size: the fill, the
// high-quality bicubic draw with gamma, then the tile block copies.
void DrawPlannedPicture(Gdiplus::GpImage* picture, const TPictureDrawingPlan& plan,
                        TScreenBitmap& target);

// Reads a picture file, normalises it if asked, and lays it out on a new
// screenWidth x screenHeight bitmap by the resize rules. The result slot is
// replaced, and left empty on failure ("Failed to load picture."); the skew and
// factor slots, when given, get 1.0 and 0.0 first and the measured values after.
void LoadTilePictureToBitmap(const std::string& fileName, std::unique_ptr<TScreenBitmap>& result,
                             const TResizeRules& rules, int screenWidth, int screenHeight,
                             const TPictureEffects& effects, double* skew, double* factor);
