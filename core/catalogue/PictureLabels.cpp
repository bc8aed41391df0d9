#include "core/catalogue/PictureLabels.h"

#include "core/catalogue/PathParts.h"
#include "core/text/Utf8Text.h"

std::string FormatCount(int64_t value, const std::string& thousandsSeparator) {
  // Work on the magnitude as unsigned so that the smallest value has one too.
  const bool negative = value < 0;
  uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  const std::string digits = std::to_string(magnitude);
  std::string text;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += thousandsSeparator;
    text += digits[i];
  }
  return negative ? "-" + text : text;
}

std::string LoadedPicturesCountText(int64_t count, const std::string& thousandsSeparator, bool noneReadable) {
  return "There are " + FormatCount(count, thousandsSeparator) +
         (noneReadable ? " pictures, none of which could be read" : " pictures ready to be used as wallpapers");
}

std::string CurrentPictureText(int32_t currentPictureIndex, const std::string& currentFileTitle,
                               const std::string& thousandsSeparator) {
  const std::string position =
      currentPictureIndex < 0
          ? std::string("not in list")
          : FormatCount(static_cast<int64_t>(currentPictureIndex) + 1, thousandsSeparator);
  return "Current picture (index " + position + ") \"" + FileNamePart(currentFileTitle) +
         "\" in \"" + DirectoryPart(currentFileTitle) + "\"";
}

std::string TrayTipText(const std::string& currentFileTitle, bool noneReadable) {
  const std::string tip =
      "Muralotrope | " + (noneReadable ? std::string("None of the pictures could be read") : currentFileTitle);
  return std::string(CutUtf8ToUtf16Units(tip, kTrayTipMaxUnits));
}
