#include "platform/GdiPlusPicture.h"

#include <string>
#include <utility>

#include "core/composition/CompositionPlan.h"
#include "core/composition/FittedPicture.h"
#include "core/composition/PictureOrientation.h"
#include "core/composition/ReducedDecoding.h"
#include "core/trace/FunStatus.h"
#include "platform/GdiPlusPixels.h"
#include "platform/WicPicture.h"
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

namespace {

// A picture decoded for one fitting: its pixels as stored, perhaps at a reduced size,
// and how they are turned to be shown.
struct TFittingSource {
  TPixelBuffer Pixels;
  bool Opaque = true;
  int Orientation = kUprightOrientation;
  int Width = 0;  // the full picture once turned: what the resize rules see
  int Height = 0;
};

// The size to ask the imaging component for: the full size, unless the decoder can
// scale while decoding and the drawing needs no more than half. Brightness statistics
// are gathered over the whole picture, so normalisation always decodes it in full.
TDecodeSize RequestedDecodeSize(const TWicPictureFile& file, const TPictureDrawingPlan& plan,
                                const TFittingSource& source, bool normalize) {
  if (normalize || !file.CanDecodeReduced()) return {};
  TDecodeSize needed = NeededPictureSize(plan, source.Width, source.Height);
  if (OrientationSwapsAxes(source.Orientation)) std::swap(needed.Width, needed.Height);
  const TDecodeSize reduced = ReducedDecodeSize(file.Width(), file.Height(), needed);
  if (reduced.Width >= file.Width() && reduced.Height >= file.Height()) return {};
  return reduced;
}

// Decodes the picture and plans its drawing. The size and orientation come before any
// pixel, so that the drawing is planned first and the decoder asked for no more than
// it needs. Metafiles, and whatever else the imaging component cannot read, go to
// GDI+, which gives the pixels as stored, at full size.
bool DecodeAndPlan(const std::string& fileName, const TResizeRules& rules, int screenWidth, int screenHeight,
                   const TPictureEffects& effects, TFittingSource& source, TPictureDrawingPlan& plan,
                   uint32_t& code) {
  TWicPictureFile file;
  HRESULT result = file.TryOpen(fileName);
  if (SUCCEEDED(result)) {
    source.Orientation = file.Orientation();
    OrientedSize(file.Width(), file.Height(), source.Orientation, source.Width, source.Height);
    plan = PlanPictureDrawing(source.Width, source.Height, screenWidth, screenHeight, rules, effects.GammaPercent);
    const TDecodeSize request = RequestedDecodeSize(file, plan, source, effects.Normalize);
    result = file.TryDecode(source.Pixels, request.Width, request.Height);
    source.Opaque = file.IsOpaque();
    if (SUCCEEDED(result)) return true;
  }
  code = static_cast<uint32_t>(result);
  if (!TryDecodePictureWithGdiPlus(fileName, source.Pixels, source.Opaque)) return false;
  OrientedSize(source.Pixels.Width(), source.Pixels.Height(), source.Orientation, source.Width, source.Height);
  plan = PlanPictureDrawing(source.Width, source.Height, screenWidth, screenHeight, rules, effects.GammaPercent);
  return true;
}

}  // namespace

bool FitPictureFile(const std::string& fileName, const TResizeRules& rules, int screenWidth, int screenHeight,
                    const TPictureEffects& effects, int workers, const std::function<bool()>& cancelled,
                    TFittedPictureResult& fitted, TFitFailure& failure) {
  fitted = TFittedPictureResult();
  failure = TFitFailure();
  auto stopped = [&] { return cancelled && (failure.Cancelled = cancelled()); };
  try {
    TFittingSource source;
    TPictureDrawingPlan plan;
    if (!DecodeAndPlan(fileName, rules, screenWidth, screenHeight, effects, source, plan, failure.Code))
      return false;
    if (stopped()) return false;
    // The statistics cover the whole picture; the normalisation itself is applied as
    // the resampler reads the pixels, so the picture is not written over first.
    TChannelTable normalization;
    if (effects.Normalize) {
      const TBrightnessStats stats = MeasureBrightness(source.Pixels.Span(), workers);
      normalization = NormalizationTable(BrightnessMethodFromText(effects.Method), stats.Mean, stats.Deviation,
                                         effects.Level, fitted.Factor);
      if (stopped()) return false;
    }
    SetLastError(0);
    std::unique_ptr<TScreenBitmap> bitmap = TScreenBitmap::Create(screenWidth, screenHeight);
    if (!bitmap) {
      failure.Detail = std::to_string(screenWidth) + "x" + std::to_string(screenHeight);
      failure.Code = GetLastError();
      return false;
    }
    const TPixelWalk walk = OrientedWalk(source.Pixels.Span(), source.Orientation);
    const TSourceArea area = ScaledSourceArea(plan.Source, source.Width, source.Height, walk.Width, walk.Height);
    const TPixelSpan target{bitmap->Pixels(), bitmap->Width(), bitmap->Height(), bitmap->Stride()};
    TResampleOptions options;
    options.SourceIsOpaque = source.Opaque;
    options.Channels = &normalization;
    options.Workers = workers;
    options.Cancelled = cancelled;
    if (!DrawPlanOnBuffer(plan, walk, area, target, options)) {
      if (!stopped()) failure.Detail = "not enough memory to resize";
      return false;
    }
    if (stopped()) return false;
    // The decoded picture goes before the caller saves and installs the wallpaper.
    source.Pixels.Reset();
    fitted.Bitmap = std::move(bitmap);
    fitted.Skew = plan.Skew;
    return true;
  } catch (const std::exception& e) {
    failure.Description = std::string("Unhandled exception: ") + e.what();
  } catch (...) {
    failure.Description = "Unhandled generic exception.";
  }
  fitted = TFittedPictureResult();
  return false;
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
    TFittedPictureResult fitted;
    TFitFailure failure;
    if (!FitPictureFile(fileName, rules, screenWidth, screenHeight, effects, 0, nullptr, fitted, failure)) {
      FUN_RAISE(failure.Description, fileName, failure.Detail, failure.Code);
      return;
    }
    if (skew) *skew = fitted.Skew;
    if (factor && effects.Normalize) *factor = fitted.Factor;
    result = std::move(fitted.Bitmap);
  });
  if (trace_.Failed()) result.reset();
}
