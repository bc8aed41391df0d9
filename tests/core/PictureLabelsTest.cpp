#include "core/catalogue/PictureLabels.h"

#include <gtest/gtest.h>

#include "core/text/Utf8Text.h"

namespace {

TEST(PictureLabelsTest, CountsAndLabels) {
  EXPECT_EQ(FormatCount(999), "999");
  EXPECT_EQ(FormatCount(1234567, "."), "1.234.567");
  EXPECT_EQ(FormatCount(INT64_MIN), "-9,223,372,036,854,775,808");
  EXPECT_EQ(LoadedPicturesCountText(1), "There are 1 pictures ready to be used as wallpapers");
  EXPECT_EQ(CurrentPictureText(-1, "C:\\Old\\Sea.jpg"),
            "Current picture (index not in list) \"Sea.jpg\" in \"C:\\Old\\\"");
  EXPECT_EQ(CurrentPictureText(1233, "C:\\P\\a.png", " "),
            "Current picture (index 1 234) \"a.png\" in \"C:\\P\\\"");
  EXPECT_EQ(TrayTipText("C:\\P\\a.png"), "Muralotrope | C:\\P\\a.png");
  // When none of the pictures could be read, both say so.
  EXPECT_EQ(LoadedPicturesCountText(1200, ".", true), "There are 1.200 pictures, none of which could be read");
  EXPECT_EQ(TrayTipText("", true), "Muralotrope | None of the pictures could be read");
}

TEST(PictureLabelsTest, TrayTipIsCutToItsUnitsOnACharacterBoundary) {
  const std::string prefix = "Muralotrope | ";  // 14 units
  std::string cyrillic = "C:\\";
  for (int n = 0; n < 200; ++n) cyrillic += "\xD0\xA4";
  const std::string tip = TrayTipText(cyrillic);
  EXPECT_EQ(Utf16Length(tip), kTrayTipMaxUnits);
  EXPECT_TRUE(IsValidUtf8(tip));
  EXPECT_EQ(tip, prefix + cyrillic.substr(0, 3 + 2 * 110));
  // An emoji takes two units: one that would end at unit 128 is left out whole.
  std::string emoji = "C:\\";
  for (int n = 0; n < 55; ++n) emoji += "\xD0\xA4";  // 72 units with the prefix
  for (int n = 0; n < 30; ++n) emoji += "\xF0\x9F\x98\x80";
  const std::string emojiTip = TrayTipText(emoji);
  EXPECT_EQ(Utf16Length(emojiTip), kTrayTipMaxUnits - 1);
  EXPECT_TRUE(IsValidUtf8(emojiTip));
  EXPECT_EQ(TrayTipText("C:\\short.jpg"), prefix + "C:\\short.jpg");
}

}  // namespace
