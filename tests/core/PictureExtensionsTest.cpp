#include "core/catalogue/PictureExtensions.h"

#include <gtest/gtest.h>

#include <strings.h>

#include "core/catalogue/PathParts.h"

namespace {

int CompareNoCase(const std::string& a, const std::string& b) {
  return strcasecmp(a.c_str(), b.c_str());
}

TEST(PictureExtensionsTest, ExtensionsAndFilterFromTheDecoderPatterns) {
  const std::vector<std::string> decoders = {"*.BMP;*.DIB", "*.JPG;*.JPEG;*.JFIF", "*.bmp;"};
  const std::vector<std::string> extensions = GetPictureExtensions(decoders, CompareNoCase);
  // Sorted, the first spelling kept, a trailing ";" adding nothing.
  EXPECT_EQ(extensions, (std::vector<std::string>{".BMP", ".DIB", ".JFIF", ".JPEG", ".JPG"}));
  EXPECT_EQ(GetPictureExtensionsAsFilter(decoders, LowerCaseAscii),
            "*.bmp;*.dib;*.jpg;*.jpeg;*.jfif;*.bmp;");

  EXPECT_TRUE(IsPictureFile("C:\\P\\Sea.jpeg", extensions, CompareNoCase));
  EXPECT_TRUE(IsPictureFile("C:\\P\\Sea.Dib", extensions, CompareNoCase));
  EXPECT_FALSE(IsPictureFile("C:\\P.jpg\\README", extensions, CompareNoCase));
  EXPECT_FALSE(IsPictureFile("C:\\P\\Sea.jpg.bak", extensions, CompareNoCase));
  EXPECT_FALSE(IsPictureFile("C:\\P\\Sea.jpg", {}, CompareNoCase));
}

TEST(PictureExtensionsTest, OtherDecodersListsJoinAsPatterns) {
  EXPECT_EQ(DecoderPatternFromExtensions(".bmp,.dib,.rle"), "*.bmp;*.dib;*.rle");
  EXPECT_EQ(DecoderPatternFromExtensions(".jpg;.jpeg;.jfif"), "*.jpg;*.jpeg;*.jfif");
  EXPECT_EQ(DecoderPatternFromExtensions(" .tga , .tpic;;,.dds ; jxr,*.wdp,.,"), "*.tga;*.tpic;*.dds;*.jxr;*.wdp");
  EXPECT_EQ(DecoderPatternFromExtensions(""), "");
  EXPECT_EQ(DecoderPatternFromExtensions(" , ; "), "");
  // Joined with the other library's patterns they give one extension list.
  const std::vector<std::string> decoders = {"*.BMP;*.DIB", DecoderPatternFromExtensions(".bmp,.webp;.heic")};
  EXPECT_EQ(GetPictureExtensions(decoders, CompareNoCase),
            (std::vector<std::string>{".BMP", ".DIB", ".heic", ".webp"}));
}

}  // namespace
