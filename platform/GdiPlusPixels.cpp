#include "platform/GdiPlusPixels.h"

#include <cstring>

#include "core/trace/FunStatus.h"
#include "core/composition/PictureGeometry.h"
#include "platform/GdiPlusPicture.h"

bool TryDecodePictureWithGdiPlus(const std::string& fileName, TPixelBuffer& pixels, bool& opaque) {
  pixels.Reset();
  opaque = true;
  try {
    TDecodedPicture picture(fileName);
    const TPixelAccess access = picture.PixelAccess();
    TPixelSpan span;
    if (!IsBitmapSizeAcceptable(picture.Width(), picture.Height()) ||
        !pixels.Allocate(picture.Width(), picture.Height()) || !access.Lock(false, span)) {
      pixels.Reset();
      return false;
    }
    const size_t rowBytes = static_cast<size_t>(pixels.Stride());
    for (int y = 0; y < pixels.Height(); ++y) {
      const uint8_t* row = span.Pixels + y * span.Stride;
      std::memcpy(pixels.Pixels() + y * pixels.Stride(), row, rowBytes);
      for (int x = 0; x < pixels.Width() && opaque; ++x) opaque = row[x * 4 + 3] == 255;
    }
    access.Unlock();
    return true;
  } catch (...) {
    pixels.Reset();
    return false;
  }
}

bool DecodePictureWithGdiPlus(const std::string& fileName, TPixelBuffer& pixels, bool& opaque) {
  FUN_TRACE("DecodePictureWithGdiPlus");
  FUN_GUARD({
    if (!TryDecodePictureWithGdiPlus(fileName, pixels, opaque)) {
      FUN_RAISE("Failed to load picture.", fileName);
      return;
    }
  });
  return !trace_.Failed();
}
