#include "core/composition/PictureGeometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int SW = 1280;
constexpr int SH = 1024;

TResizeRules Rules(bool fitAndCrop, bool stretch, bool fit, bool tile, int minSize = 100,
                  double maxSkew = 1.8) {
  TResizeRules rules;
  rules.FitAndCrop = fitAndCrop;
  rules.Stretch = stretch;
  rules.FitBeforeTile = fit;
  rules.Tile = tile;
  rules.MinStretchSize = minSize;
  rules.MaxStretchSkew = maxSkew;
  rules.FillingColor = 0x00336699;
  return rules;
}

TEST(PictureGeometryTest, CentredFittedAndShrunkPictures) {
  TPictureDrawingPlan plan = PlanPictureDrawing(3000, 1000, SW, SH, Rules(false, true, true, false), 100);
  EXPECT_EQ(plan.TargetWidth, SW);
  EXPECT_EQ(plan.TargetHeight, SH);
  EXPECT_EQ(plan.FillColor, 0x00336699u);
  EXPECT_TRUE(plan.DrawsPicture);
  EXPECT_EQ(plan.Source, (TPixelRect{0, 0, 3000, 1000}));
  EXPECT_EQ(plan.Destination, (TPixelRect{0, 299, 1280, 426}));
  EXPECT_TRUE(plan.TileCopies.empty());
  EXPECT_DOUBLE_EQ(plan.Skew, 2.4);

  plan = PlanPictureDrawing(800, 600, SW, SH, Rules(false, true, true, false, 1000), 100);
  EXPECT_EQ(plan.Destination, (TPixelRect{240, 212, 800, 600}));

  plan = PlanPictureDrawing(2000, 2000, SW, SH, Rules(false, false, false, false), 100);
  EXPECT_EQ(plan.Destination, (TPixelRect{128, 0, 1024, 1024}));

  plan = PlanPictureDrawing(1600, 1200, SW, SH, Rules(false, true, true, true, 100, 1.10), 100);
  EXPECT_TRUE(plan.Stretched);
  EXPECT_EQ(plan.Destination, (TPixelRect{0, 0, SW, SH}));
  EXPECT_TRUE(plan.TileCopies.empty());
}

TEST(PictureGeometryTest, FitAndCropTakesTheCentreWithTheScreensAspect) {
  TPictureDrawingPlan plan = PlanPictureDrawing(2560, 1024, SW, SH, Rules(true, false, false, true), 100);
  EXPECT_TRUE(plan.Cropped);
  EXPECT_EQ(plan.Source, (TPixelRect{640, 0, 1280, 1024}));
  EXPECT_EQ(plan.Destination, (TPixelRect{0, 0, SW, SH}));
  EXPECT_DOUBLE_EQ(plan.Skew, 1.0);
  EXPECT_TRUE(plan.TileCopies.empty());

  // A tall picture loses rows at top and bottom; a sliver keeps at least one row.
  EXPECT_EQ(FitAndCropSource(1000, 2000, SW, SH), (TPixelRect{0, 600, 1000, 800}));
  EXPECT_EQ(FitAndCropSource(1, 5000, SW, SH), (TPixelRect{0, 2499, 1, 1}));

  // Below the minimum: sized by the other rules, left at the corner, never tiled.
  plan = PlanPictureDrawing(800, 600, SW, SH, Rules(true, true, true, true, 1000), 100);
  EXPECT_FALSE(plan.Cropped);
  EXPECT_EQ(plan.Source, (TPixelRect{0, 0, 800, 600}));
  EXPECT_EQ(plan.Destination, (TPixelRect{0, 0, 800, 600}));
  EXPECT_TRUE(plan.TileCopies.empty());
  // One short side is enough to miss it; both sides at the minimum make it.
  EXPECT_FALSE(PlanPictureDrawing(2000, 900, SW, SH, Rules(true, false, false, false, 1000), 100).Cropped);
  EXPECT_TRUE(PlanPictureDrawing(1000, 1000, SW, SH, Rules(true, false, false, false, 1000), 100).Cropped);
}

// Carries out the copies on a grid whose top-left tile holds distinct values and checks
// that every cell ends up holding the tile's value at (x mod w, y mod h).
void ExpectTiledPattern(int tileWidth, int tileHeight, int targetWidth, int targetHeight) {
  SCOPED_TRACE(testing::Message() << tileWidth << "x" << tileHeight << " on " << targetWidth
                                  << "x" << targetHeight);
  std::vector<int> grid(targetWidth * targetHeight, -1);
  auto at = [&](int x, int y) -> int& { return grid[y * targetWidth + x]; };
  for (int y = 0; y < std::min(tileHeight, targetHeight); ++y)
    for (int x = 0; x < std::min(tileWidth, targetWidth); ++x) at(x, y) = x * 100000 + y;
  for (const TBlockCopy& copy : TileBlockCopies(tileWidth, tileHeight, targetWidth, targetHeight)) {
    ASSERT_GE(copy.Source.X, 0);
    ASSERT_GE(copy.Source.Y, 0);
    ASSERT_LE(copy.DestX + copy.Source.Width, targetWidth);
    ASSERT_LE(copy.DestY + copy.Source.Height, targetHeight);
    for (int y = 0; y < copy.Source.Height; ++y)
      for (int x = 0; x < copy.Source.Width; ++x)
        at(copy.DestX + x, copy.DestY + y) = at(copy.Source.X + x, copy.Source.Y + y);
  }
  for (int y = 0; y < targetHeight; ++y)
    for (int x = 0; x < targetWidth; ++x)
      ASSERT_EQ(at(x, y), (x % tileWidth) * 100000 + (y % tileHeight)) << x << "," << y;
}

TEST(PictureGeometryTest, TilingRepeatsTheTopLeftTileOverTheWholeTarget) {
  ExpectTiledPattern(1, 1, 37, 23);
  ExpectTiledPattern(7, 5, 100, 61);
  ExpectTiledPattern(10, 4, 10, 9);
  ExpectTiledPattern(40, 30, 33, 31);  // a tile larger than the target: nothing to copy
  EXPECT_TRUE(TileBlockCopies(13, 13, 13, 13).empty());
  EXPECT_TRUE(TileBlockCopies(0, 13, 100, 100).empty());
  // A one-pixel tile on a 4K screen needs a handful of copies, not one per pixel.
  EXPECT_LT(TileBlockCopies(1, 1, 3840, 2160).size(), 30u);

  // The fitted 1280 x 426 tile: drawn at the corner, then repeated down to 3 rows.
  const TPictureDrawingPlan plan =
      PlanPictureDrawing(3000, 1000, SW, SH, Rules(false, true, true, true), 100);
  EXPECT_EQ(plan.Destination, (TPixelRect{0, 0, 1280, 426}));
  ASSERT_EQ(plan.TileCopies.size(), 2u);
  EXPECT_EQ(plan.TileCopies[0].DestY, 426);
  EXPECT_EQ(plan.TileCopies[1].DestY, 852);
  EXPECT_EQ(plan.TileCopies[1].Source, (TPixelRect{0, 0, 1280, 172}));
  ExpectTiledPattern(1280, 426, SW, SH);
}

TEST(PictureGeometryTest, GammaAndAcceptableBitmapSizes) {
  for (int gamma : {100, 0, 1001, -5}) {
    const TPictureDrawingPlan plan = PlanPictureDrawing(800, 600, SW, SH, Rules(false, true, true, false), gamma);
    EXPECT_FALSE(plan.UseGamma) << gamma;
  }
  TPictureDrawingPlan plan = PlanPictureDrawing(800, 600, SW, SH, Rules(false, true, true, false), 1);
  EXPECT_TRUE(plan.UseGamma);
  EXPECT_FLOAT_EQ(plan.Gamma, 0.01f);
  plan = PlanPictureDrawing(800, 600, SW, SH, Rules(false, true, true, false), 50);
  EXPECT_FLOAT_EQ(plan.Gamma, 0.5f);
  plan = PlanPictureDrawing(800, 600, SW, SH, Rules(false, true, true, false), 1000);  // the list's last item
  EXPECT_TRUE(plan.UseGamma);
  EXPECT_FLOAT_EQ(plan.Gamma, 10.0f);

  // Nothing to draw without a picture or a screen: only the fill remains.
  plan = PlanPictureDrawing(0, 0, SW, SH, Rules(false, true, true, true), 100);
  EXPECT_FALSE(plan.DrawsPicture);
  EXPECT_TRUE(plan.TileCopies.empty());
  EXPECT_FALSE(PlanPictureDrawing(800, 600, 0, SH, Rules(true, true, true, true), 100).DrawsPicture);

  EXPECT_TRUE(IsBitmapSizeAcceptable(6000, 4000));
  EXPECT_TRUE(IsBitmapSizeAcceptable(65535, 8192));    // just under 2 GiB
  EXPECT_FALSE(IsBitmapSizeAcceptable(65535, 8193));
  EXPECT_FALSE(IsBitmapSizeAcceptable(65536, 1));
  EXPECT_FALSE(IsBitmapSizeAcceptable(0, 100));
  EXPECT_FALSE(IsBitmapSizeAcceptable(100, -1));
}

}  // namespace
