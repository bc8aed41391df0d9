#include "core/catalogue/PictureLabels.h"

#include <gtest/gtest.h>

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

}  // namespace
