#include "platform/GdiPlusPicture.h"

#include <string>

#include "core/composition/CompositionPlan.h"
#include "core/trace/FunStatus.h"
#include "platform/WinText.h"

using namespace Gdiplus;

TDecodedPicture::TDecodedPicture(const std::string& fileName) {
  std::wstring wide = AnsiToWide(fileName);
  if (wide.size() >= MAX_PATH) wide.resize(MAX_PATH - 1);
  GpImage* image = nullptr;
  if (DllExports::GdipLoadImageFromFile(wide.c_str(), &image) != Ok || !image) return;
  UINT width = 0;
  UINT height = 0;
  DllExports::GdipGetImageWidth(image, &width);
  DllExports::GdipGetImageHeight(image, &height);
  ImageType type = ImageTypeUnknown;
  DllExports::GdipGetImageType(image, &type);
  if (type == ImageTypeBitmap) {
    bitmap_ = static_cast<GpBitmap*>(image);
  } else {
    // A metafile is played once onto a transparent bitmap of its own size, so that
    // its pixels can be measured and drawn like those of any other picture.
    if (IsBitmapSizeAcceptable(width, height) &&
        DllExports::GdipCreateBitmapFromScan0(static_cast<INT>(width), static_cast<INT>(height), 0,
                                              PixelFormat32bppARGB, nullptr, &bitmap_) == Ok) {
      GpGraphics* graphics = nullptr;
      if (DllExports::GdipGetImageGraphicsContext(bitmap_, &graphics) == Ok) {
        DllExports::GdipDrawImageRectI(graphics, image, 0, 0, static_cast<INT>(width),
                                       static_cast<INT>(height));
        DllExports::GdipDeleteGraphics(graphics);
      }
    } else {
      bitmap_ = nullptr;
    }
    DllExports::GdipDisposeImage(image);
    if (!bitmap_) return;
  }
  width_ = static_cast<int>(width);
  height_ = static_cast<int>(height);
}

TDecodedPicture::~TDecodedPicture() {
  if (bitmap_) DllExports::GdipDisposeImage(bitmap_);
}

TPixelAccess TDecodedPicture::PixelAccess() {
  TPixelAccess access;
  access.Lock = [this](bool forWriting, TPixelSpan& span) {
    if (!bitmap_ || !IsBitmapSizeAcceptable(width_, height_)) return false;
    const GpRect all(0, 0, width_, height_);
    const UINT mode = ImageLockModeRead | (forWriting ? ImageLockModeWrite : 0);
    if (DllExports::GdipBitmapLockBits(bitmap_, &all, mode, PixelFormat32bppARGB, &lockData_) != Ok)
      return false;
    span.Pixels = static_cast<uint8_t*>(lockData_.Scan0);
    span.Width = static_cast<int>(lockData_.Width);
    span.Height = static_cast<int>(lockData_.Height);
    span.Stride = lockData_.Stride;
    return true;
  };
  access.Unlock = [this]() { DllExports::GdipBitmapUnlockBits(bitmap_, &lockData_); };
  return access;
}

bool NormalizeDecodedPicture(TDecodedPicture& picture, const TPictureEffects& effects,
                             double* factor) {
  FUN_TRACE("NormalizeDecodedPicture");
  FUN_GUARD({
    const TPixelAccess access = picture.PixelAccess();
    FUN_CALL_INTO(const TBrightnessStats stats, GetPictureBright(access));
    FUN_CALL_INTO(const double applied,
                  NormalizePictureBrightness(access, effects.Method, stats.Mean, stats.Deviation, effects.Level));
    if (factor) *factor = applied;
  });
  return !trace_.Failed();
}

void DrawPictureWithEffects(GpGraphics* graphics, GpImage* picture, const TPixelRect& destination,
                            const TPixelRect& source, bool useGamma, float gamma) {
  GpImageAttributes* attributes = nullptr;
  if (useGamma && DllExports::GdipCreateImageAttributes(&attributes) == Ok)
    DllExports::GdipSetImageAttributesGamma(attributes, ColorAdjustTypeBitmap, TRUE, gamma);
  DllExports::GdipDrawImageRectRectI(graphics, picture, destination.X, destination.Y,
                                     destination.Width, destination.Height, source.X, source.Y,
                                     source.Width, source.Height, UnitPixel, attributes, nullptr,
                                     nullptr);
  if (attributes) DllExports::GdipDisposeImageAttributes(attributes);
}

void DrawPlannedPicture(GpImage* picture, const TPictureDrawingPlan& plan, TScreenBitmap& target) {
  target.Fill(plan.FillColor);
  if (plan.DrawsPicture) {
    GpGraphics* graphics = nullptr;
    if (DllExports::GdipCreateFromHDC(target.Dc(), &graphics) == Ok) {
      DllExports::GdipSetInterpolationMode(graphics, InterpolationModeHighQualityBicubic);
      DrawPictureWithEffects(graphics, picture, plan.Destination, plan.Source, plan.UseGamma,
                             plan.Gamma);
      DllExports::GdipDeleteGraphics(graphics);
    }
  }
  GdiFlush();
  for (const TBlockCopy& copy : plan.TileCopies) target.CopyBlock(copy);
  GdiFlush();
}

void LoadTilePictureToBitmap(const std::string& fileName, std::unique_ptr<TScreenBitmap>& result,
                             const TResizeRules& rules, int screenWidth, int screenHeight,
                             const TPictureEffects& effects, double* skew, double* factor) {
  FUN_TRACE("LoadTilePictureToBitmap");
  if (skew) *skew = kNoSkew;
  if (factor) *factor = kNoNormalizationFactor;
  if (fileName.empty()) return;
  FUN_GUARD({
    result.reset();
    TDecodedPicture picture(fileName);
    // A picture too big to lock or draw is refused like one that cannot be decoded.
    if (!IsBitmapSizeAcceptable(picture.Width(), picture.Height())) {
      FUN_RAISE("Failed to load picture.", fileName);
      return;
    }
    if (effects.Normalize) {
      FUN_CALL(NormalizeDecodedPicture(picture, effects, factor));
    }
    const TPictureDrawingPlan plan = PlanPictureDrawing(picture.Width(), picture.Height(),
                                                        screenWidth, screenHeight, rules,
                                                        effects.GammaPercent);
    std::unique_ptr<TScreenBitmap> bitmap = TScreenBitmap::Create(screenWidth, screenHeight);
    if (!bitmap) {
      FUN_RAISE("Failed to load picture.", fileName,
                std::to_string(screenWidth) + "x" + std::to_string(screenHeight), GetLastError());
      return;
    }
    DrawPlannedPicture(picture.Bitmap(), plan, *bitmap);
    if (skew) *skew = plan.Skew;
    result = std::move(bitmap);
  });
  if (trace_.Failed()) result.reset();
}
