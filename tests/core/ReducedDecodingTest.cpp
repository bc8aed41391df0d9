#include "core/composition/ReducedDecoding.h"

#include <gtest/gtest.h>

namespace {

TEST(ReducedDecodingTest, HalvedWhileTwiceTheNeedOnBothAxes) {
  // 6000 x 4000 stretched to 1920 x 1080: half (3000 x 2000) still covers the need.
  const TPictureDrawingPlan stretched = PlanPictureDrawing(6000, 4000, 1920, 1080, TResizeRules{}, 100);
  const TDecodeSize need = NeededPictureSize(stretched, 6000, 4000);
  EXPECT_EQ(need.Width, 1920);
  EXPECT_EQ(need.Height, 1080);
  TDecodeSize size = ReducedDecodeSize(6000, 4000, need);
  EXPECT_EQ(size.Width, 3000);
  EXPECT_EQ(size.Height, 2000);
  // At 3840 x 2160 half would be too small: decoded whole.
  size = ReducedDecodeSize(6000, 4000, {3840, 2160});
  EXPECT_EQ(size.Width, 6000);
  // Small needs stop at an eighth; odd sides are rounded up as decoders do.
  size = ReducedDecodeSize(6001, 4001, {10, 10});
  EXPECT_EQ(size.Width, 751);
  EXPECT_EQ(size.Height, 501);
  // One axis is enough to stop: 4000 / 2 < 2160.
  size = ReducedDecodeSize(16000, 4000, {1000, 2160});
  EXPECT_EQ(size.Width, 16000);
  EXPECT_EQ(ReducedDecodeSize(800, 600, {0, 0}).Width, 800);

  // A crop needs the picture at the scale the crop is drawn: 2560 x 1024 cropped to
  // 1280 x 1024 for a 1280 x 1024 screen is drawn 1:1, so nothing may be dropped.
  TResizeRules crop;
  crop.FitAndCrop = true;
  const TPictureDrawingPlan cropped = PlanPictureDrawing(2560, 1024, 1280, 1024, crop, 100);
  const TDecodeSize cropNeed = NeededPictureSize(cropped, 2560, 1024);
  EXPECT_EQ(cropNeed.Width, 2560);
  EXPECT_EQ(cropNeed.Height, 1024);
  // An enlarged picture needs all of itself.
  const TPictureDrawingPlan enlarged = PlanPictureDrawing(640, 480, 1920, 1080, TResizeRules{}, 100);
  EXPECT_EQ(NeededPictureSize(enlarged, 640, 480).Width, 640);
}

TEST(ReducedDecodingTest, TheSourceRectangleFollowsTheReduction) {
  const TSourceArea area = ScaledSourceArea({640, 100, 1280, 1024}, 2560, 1224, 1280, 612);
  EXPECT_DOUBLE_EQ(area.X, 320);
  EXPECT_DOUBLE_EQ(area.Y, 50);
  EXPECT_DOUBLE_EQ(area.Width, 640);
  EXPECT_DOUBLE_EQ(area.Height, 512);
  // Rounded-up sides give fractional edges.
  const TSourceArea odd = ScaledSourceArea({0, 0, 6001, 4001}, 6001, 4001, 3001, 2001);
  EXPECT_DOUBLE_EQ(odd.Width, 3001);
  EXPECT_DOUBLE_EQ(ScaledSourceArea({3, 0, 10, 10}, 6001, 4001, 3001, 2001).X, 3 * 3001.0 / 6001);
}

}  // namespace
