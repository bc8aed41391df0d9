#include "core/composition/FittedPicture.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/composition/PictureOrientation.h"

namespace {

// A buffer with two guard bytes after every row.
struct TBuffer {
  int Width, Height;
  std::ptrdiff_t Stride;
  std::vector<uint8_t> Bytes;
  TBuffer(int width, int height) : Width(width), Height(height), Stride(width * 4 + 2), Bytes(Stride * height, 0xEE) {}
  TPixelSpan Span() { return {Bytes.data(), Width, Height, Stride}; }
  uint32_t Get(int x, int y) const {
    const uint8_t* p = Bytes.data() + y * Stride + x * 4;
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
  }
  void Set(int x, int y, uint32_t bgra) {
    uint8_t* p = Bytes.data() + y * Stride + x * 4;
    for (int c = 0; c < 4; ++c) p[c] = static_cast<uint8_t>(bgra >> (8 * c));
  }
  bool GuardsIntact() const {
    for (int y = 0; y < Height; ++y)
      if (Bytes[y * Stride + Width * 4] != 0xEE || Bytes[y * Stride + Width * 4 + 1] != 0xEE) return false;
    return true;
  }
};

TBuffer Numbered(int width, int height) {
  TBuffer picture(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.Set(x, y, 0xFF000000u | (y << 8) | x);
  return picture;
}

TResampleOptions Threads(int workers) {
  TResampleOptions options;
  options.Workers = workers;
  return options;
}

TEST(FittedPictureTest, KeptPictureIsCentredOnTheFillingColour) {
  TResizeRules rules;
  rules.Stretch = false;
  rules.FitBeforeTile = false;
  rules.Tile = false;
  rules.FillingColor = 0x00332211;  // red 0x11, green 0x22, blue 0x33
  TBuffer picture = Numbered(100, 50);
  const TPictureDrawingPlan plan = PlanPictureDrawing(100, 50, 400, 300, rules, 100);
  TBuffer screen(400, 300);
  ASSERT_TRUE(DrawPlanOnBuffer(plan, WalkOf(picture.Span()), SourceAreaOf(plan.Source), screen.Span(), Threads(2)));
  EXPECT_EQ(screen.Get(0, 0), 0xFF112233u);
  EXPECT_EQ(screen.Get(149, 125), 0xFF112233u);
  EXPECT_EQ(screen.Get(250, 175), 0xFF112233u);
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 100; ++x) ASSERT_EQ(screen.Get(150 + x, 125 + y), picture.Get(x, y)) << x << "," << y;
  EXPECT_TRUE(screen.GuardsIntact());
  // A target of another size than planned is refused.
  TBuffer other(399, 300);
  EXPECT_FALSE(DrawPlanOnBuffer(plan, WalkOf(picture.Span()), SourceAreaOf(plan.Source), other.Span(), Threads(1)));
}

TEST(FittedPictureTest, TiledPictureRepeatsOverTheScreen) {
  TResizeRules rules;
  rules.Stretch = false;
  rules.FitBeforeTile = false;
  TBuffer picture = Numbered(30, 20);
  const TPictureDrawingPlan plan = PlanPictureDrawing(30, 20, 100, 50, rules, 100);
  ASSERT_FALSE(plan.TileCopies.empty());
  TBuffer screen(100, 50);
  ASSERT_TRUE(DrawPlanOnBuffer(plan, WalkOf(picture.Span()), SourceAreaOf(plan.Source), screen.Span(), Threads(1)));
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 100; ++x) ASSERT_EQ(screen.Get(x, y), picture.Get(x % 30, y % 20)) << x << "," << y;
  EXPECT_TRUE(screen.GuardsIntact());
}

TEST(FittedPictureTest, TurnedPictureWithGammaFillsTheScreen) {
  // A 2 x 4 stored picture turned a quarter (tag 6) is 4 x 2: the screen's shape, so it
  // stretches without skew; grey 64 through gamma 50 becomes 127 everywhere.
  TBuffer picture(2, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 2; ++x) picture.Set(x, y, 0xFF404040);
  const TPixelWalk walk = OrientedWalk(picture.Span(), 6);
  const TPictureDrawingPlan plan = PlanPictureDrawing(walk.Width, walk.Height, 40, 20, TResizeRules{}, 50);
  EXPECT_DOUBLE_EQ(plan.Skew, 1.0);
  TBuffer screen(40, 20);
  ASSERT_TRUE(DrawPlanOnBuffer(plan, walk, SourceAreaOf(plan.Source), screen.Span(), Threads(2)));
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(screen.Get(x, y), 0xFF7F7F7Fu) << x << "," << y;
}

TEST(FittedPictureTest, BlockCopiesAreClippedAndSafeWhenOverlapping) {
  TBuffer screen = Numbered(20, 10);
  const TBuffer before = screen;
  // Overlapping down and right by one: the block moves as a whole.
  CopyBlockInBuffer(screen.Span(), {{2, 2, 5, 4}, 3, 3});
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x) ASSERT_EQ(screen.Get(3 + x, 3 + y), before.Get(2 + x, 2 + y)) << x << "," << y;
  // Hanging over every edge: only the part inside is copied, nothing outside written.
  TBuffer clipped = Numbered(20, 10);
  // Source (2, 1) lands on (-3, -2): (0, 0) gets (5, 3), and copying stops where
  // either the source or the destination leaves the buffer.
  CopyBlockInBuffer(clipped.Span(), {{2, 1, 40, 40}, -3, -2});
  EXPECT_EQ(clipped.Get(0, 0), before.Get(5, 3));
  EXPECT_EQ(clipped.Get(14, 6), before.Get(19, 9));
  EXPECT_EQ(clipped.Get(15, 0), before.Get(15, 0));
  EXPECT_EQ(clipped.Get(0, 7), before.Get(0, 7));
  EXPECT_TRUE(clipped.GuardsIntact());
  CopyBlockInBuffer(clipped.Span(), {{0, 0, 5, 5}, 30, 0});  // wholly outside: nothing
  EXPECT_TRUE(clipped.GuardsIntact());
}

}  // namespace
