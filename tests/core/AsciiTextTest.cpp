#include "core/text/AsciiText.h"

#include <gtest/gtest.h>

namespace {

TEST(AsciiTextTest, OnlyAsciiLettersFoldCase) {
  EXPECT_TRUE(SameTextAscii("C:\\Pics\\Z.jpg", "c:\\pics\\z.JPG"));
  EXPECT_FALSE(SameTextAscii("[", "{"));  // differ by the case bit but are no letters
  EXPECT_FALSE(SameTextAscii("\xC4", "\xE4"));
  EXPECT_FALSE(SameTextAscii("Sea", "Seas"));
  EXPECT_EQ(LowerCaseAscii("*.JPG;[X]\xC4"), "*.jpg;[x]\xC4");
  EXPECT_EQ(LowerAscii('@'), '@');
  EXPECT_EQ(LowerAscii('Z'), 'z');
}

}  // namespace
