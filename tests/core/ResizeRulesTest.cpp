#include "core/composition/ResizeRules.h"

#include <gtest/gtest.h>

namespace {

constexpr int SW = 1280;
constexpr int SH = 1024;

TEST(ResizeRulesTest, StretchWhenTheSkewAllows) {
  TPictureSize size = ComputePictureSize(1600, 1200, SW, SH, 100, 1.10, true, true);
  EXPECT_TRUE(size.Stretched);
  EXPECT_EQ(size.Width, 1280);
  EXPECT_EQ(size.Height, 1024);
  EXPECT_NEAR(size.Skew, 1.0667, 1e-4);

  // Too skewed for 1.8: fitted by width instead.
  size = ComputePictureSize(3000, 1000, SW, SH, 100, 1.80, true, true);
  EXPECT_FALSE(size.Stretched);
  EXPECT_EQ(size.Width, 1280);
  EXPECT_EQ(size.Height, 426);
  EXPECT_DOUBLE_EQ(size.Skew, 2.4);

  // A portrait picture's skew is measured the other way up: 0.4 counts as 2.5.
  size = ComputePictureSize(1000, 2000, SW, SH, 100, 1.2, true, true);
  EXPECT_FALSE(size.Stretched);
  EXPECT_DOUBLE_EQ(size.Skew, 2.5);
  EXPECT_DOUBLE_EQ(AspectSkew(1000, 2000, SW, SH), 2.5);
  EXPECT_DOUBLE_EQ(AspectSkew(1000, 1000, SW, SH), 1.25);  // 0.8 the other way up
  EXPECT_FALSE(ComputePictureSize(1000, 1000, SW, SH, 100, 1.2, true, true).Stretched);
  // A skew exactly at the maximum still stretches: 1536 x 1024 is 1.2 on this screen.
  EXPECT_TRUE(ComputePictureSize(1536, 1024, SW, SH, 100, 1.2, true, true).Stretched);

  // A maximum skew of -1 (or 0) lets stretch apply at any skew.
  EXPECT_TRUE(ComputePictureSize(3000, 1000, SW, SH, 100, -1, true, true).Stretched);
  EXPECT_TRUE(ComputePictureSize(3000, 1000, SW, SH, 100, 0, true, true).Stretched);

  // The screen's own aspect ratio: skew 1, stretched (up) when stretch is on.
  size = ComputePictureSize(640, 512, SW, SH, 300, 1.05, true, false);
  EXPECT_TRUE(size.Stretched);
  EXPECT_DOUBLE_EQ(size.Skew, 1.0);
  EXPECT_FALSE(ComputePictureSize(640, 512, SW, SH, 300, 1.05, false, false).Stretched);
}

TEST(ResizeRulesTest, BelowTheMinimumSizeNeitherStretchNorFit) {
  for (bool stretch : {false, true})
    for (bool fit : {false, true}) {
      const TPictureSize size = ComputePictureSize(800, 600, SW, SH, 1000, -1, stretch, fit);
      EXPECT_FALSE(size.Stretched);
      EXPECT_EQ(size.Width, 800);
      EXPECT_EQ(size.Height, 600);
    }
  // One short side is enough to miss the minimum; -1 means no minimum at all.
  EXPECT_FALSE(ComputePictureSize(2000, 900, SW, SH, 1000, -1, true, true).Stretched);
  EXPECT_TRUE(ComputePictureSize(20, 10, SW, SH, -1, -1, true, true).Stretched);
}

TEST(ResizeRulesTest, FitScalesBothWaysWhileNoFitOnlyShrinks) {
  // Fit on: a small picture grows to the largest size inside the screen.
  TPictureSize size = ComputePictureSize(640, 480, SW, SH, -1, 1.0, false, true);
  EXPECT_EQ(size.Width, 1280);
  EXPECT_EQ(size.Height, 960);
  size = ComputePictureSize(500, 1000, SW, SH, -1, 1.0, false, true);
  EXPECT_EQ(size.Width, 512);
  EXPECT_EQ(size.Height, 1024);

  // Fit off: a small picture keeps its size, a big one is shrunk; the height decides
  // when the width-first size is too tall.
  size = ComputePictureSize(640, 480, SW, SH, -1, 1.0, false, false);
  EXPECT_EQ(size.Width, 640);
  EXPECT_EQ(size.Height, 480);
  size = ComputePictureSize(2000, 2000, SW, SH, -1, 1.0, false, false);
  EXPECT_EQ(size.Width, 1024);
  EXPECT_EQ(size.Height, 1024);

  // The desktop preview: a 1280 x 1024 work area in a 200 x 200 panel.
  size = ComputePictureSize(1280, 1024, 200, 200, -1, -1, false, false);
  EXPECT_EQ(size.Width, 200);
  EXPECT_EQ(size.Height, 160);
}

TEST(ResizeRulesTest, LargeSidesDoNotOverflowAndEmptySizesGiveNothing) {
  // 60000 x 60000 exceeds 32 bits on the way to the height.
  const TPictureSize size = ComputePictureSize(40000, 60000, 60000, 1000, -1, 1.0, false, true);
  EXPECT_EQ(size.Width, 666);
  EXPECT_EQ(size.Height, 1000);

  for (const TPictureSize& empty : {ComputePictureSize(0, 600, SW, SH, -1, -1, true, true),
                                    ComputePictureSize(800, -3, SW, SH, -1, -1, true, true),
                                    ComputePictureSize(800, 600, 0, SH, -1, -1, true, true)}) {
    EXPECT_FALSE(empty.Stretched);
    EXPECT_EQ(empty.Width, 0);
    EXPECT_EQ(empty.Height, 0);
    EXPECT_DOUBLE_EQ(empty.Skew, 1.0);
  }
}

}  // namespace
