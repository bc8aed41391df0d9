#include "platform/PictureDecoders.h"

#include <windows.h>
#include <gdiplus.h>

#include "core/trace/FunStatus.h"
#include "core/catalogue/PictureExtensions.h"
#include "platform/UserLocale.h"
#include "platform/WicPicture.h"
#include "platform/WinText.h"

bool GetDecoderPatterns(std::vector<std::string>& patterns) {
  FUN_TRACE("GetDecoderPatterns");
  patterns.clear();
  FUN_GUARD({
    UINT count = 0, size = 0;
    Gdiplus::Status status = Gdiplus::DllExports::GdipGetImageDecodersSize(&count, &size);
    if (status != Gdiplus::Ok) {
      FUN_RAISE("Failed to get image decoders.", std::to_string(status), "");
      return;
    }
    if (count == 0 || size == 0) return;
    // The codec records are followed in the same buffer by the texts they point to.
    std::vector<unsigned char> buffer(size);
    auto* decoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    status = Gdiplus::DllExports::GdipGetImageDecoders(count, size, decoders);
    if (status != Gdiplus::Ok) {
      FUN_RAISE("Failed to get image decoders.", std::to_string(status), "");
      return;
    }
    for (UINT i = 0; i < count; ++i)
      patterns.push_back(decoders[i].FilenameExtension ? WideToAnsi(decoders[i].FilenameExtension) : "");
  });
  return !trace_.Failed();
}

namespace {

// GDI+'s decoders, then the imaging component's: a file either one reads is a
// picture. Without the component (no COM on this thread) GDI+'s types remain.
bool GetAllDecoderPatterns(std::vector<std::string>& patterns) {
  if (!GetDecoderPatterns(patterns)) return false;
  std::vector<std::string> more;
  if (GetWicDecoderPatterns(more)) patterns.insert(patterns.end(), more.begin(), more.end());
  DropCalleeFailure();
  return true;
}

}  // namespace

void GetPictureExtensions(std::vector<std::string>& list) {
  FUN_TRACE("GetPictureExtensions");
  list.clear();
  FUN_GUARD({
    std::vector<std::string> patterns;
    FUN_CALL(GetAllDecoderPatterns(patterns));
    list = GetPictureExtensions(patterns, CompareTextUserLocale);
  });
}

std::string GetPictureExtensionsAsFilter() {
  FUN_TRACE("GetPictureExtensionsAsFilter");
  std::string filter;
  FUN_GUARD({
    std::vector<std::string> patterns;
    FUN_CALL(GetAllDecoderPatterns(patterns));
    filter = GetPictureExtensionsAsFilter(patterns, LowerCaseUserLocale);
  });
  return filter;
}
