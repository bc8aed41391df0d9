#include "core/composition/Resampler.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/composition/Brightness.h"
#include "core/composition/GammaTable.h"
#include "core/composition/PictureOrientation.h"
#include "core/composition/PixelSpan.h"
#include "tests/core/PaddedPicture.h"

namespace {

using TTestPicture = TPaddedPicture;

uint32_t Grey(int value) { return 0xFF000000u | value * 0x010101u; }

// Opaque pixels of every value, the same from run to run.
TTestPicture NoisePicture(int width, int height, uint32_t seed = 7) {
  TTestPicture picture(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      seed = seed * 1664525u + 1013904223u;
      picture.Set(x, y, 0xFF000000u | (seed >> 8));
    }
  return picture;
}

TTestPicture Resampled(TTestPicture& source, const TSourceArea& area, int width, int height,
                       int workers = 1, const TGammaTable* gamma = nullptr) {
  TTestPicture target(width, height, 0x11223344);
  TResampleOptions options;
  options.Workers = workers;
  options.Gamma = gamma;
  EXPECT_TRUE(ResamplePicture(source.Walk(), area, target.Span(), {0, 0, width, height}, options));
  EXPECT_TRUE(target.PaddingIntact());
  return target;
}

TSourceArea Whole(const TTestPicture& picture) { return {0, 0, double(picture.Width), double(picture.Height)}; }

int Channel(uint32_t pixel, int c) { return (pixel >> (8 * c)) & 0xFF; }

TEST(ResamplerTest, ScaleOneGivesThePixelsBackWholeOrCropped) {
  TTestPicture source = NoisePicture(37, 23);
  for (int workers : {1, 3}) {
    TTestPicture same = Resampled(source, Whole(source), 37, 23, workers);
    EXPECT_EQ(same.Bytes, source.Bytes);
    TTestPicture part = Resampled(source, {5, 3, 20, 10}, 20, 10, workers);
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 20; ++x) ASSERT_EQ(part.Get(x, y), source.Get(x + 5, y + 3)) << x << "," << y;
  }
}

TEST(ResamplerTest, AConstantPictureStaysConstantAtEveryScale) {
  const uint32_t colour = 0xFFFA8011;
  TTestPicture source(50, 30, colour);
  const struct {
    TSourceArea Area;
    int Width, Height;
  } cases[] = {
      {{0, 0, 50, 30}, 1, 1},      {{0, 0, 50, 30}, 7, 3},       {{0, 0, 50, 30}, 49, 31},
      {{0, 0, 50, 30}, 100, 60},   {{0, 0, 50, 30}, 333, 7},     {{0, 0, 50, 30}, 2, 240},
      {{3, 2, 11, 5}, 640, 13},    {{0.25, 9.5, 40.5, 3.3}, 17, 19}, {{49, 29, 1, 1}, 31, 9},
  };
  for (const auto& c : cases) {
    TTestPicture result = Resampled(source, c.Area, c.Width, c.Height, 2);
    for (int y = 0; y < c.Height; ++y)
      for (int x = 0; x < c.Width; ++x)
        ASSERT_EQ(result.Get(x, y), colour) << c.Width << "x" << c.Height << " at " << x << "," << y;
  }
}

TEST(ResamplerTest, OvershootAtEdgesIsClampedNotWrapped) {
  // A hard black-to-white step, and a white line on black at the picture's edge: the
  // cubic's lobes push past 255 and below 0 beside them.
  TTestPicture step(16, 4, Grey(0));
  for (int y = 0; y < 4; ++y)
    for (int x = 8; x < 16; ++x) step.Set(x, y, Grey(255));
  for (int width : {128, 37, 11}) {
    TTestPicture result = Resampled(step, Whole(step), width, 3);
    for (int y = 0; y < 3; ++y) {
      EXPECT_EQ(result.Get(0, y), Grey(0));
      EXPECT_EQ(result.Get(width - 1, y), Grey(255));
      for (int x = 1; x < width; ++x)
        ASSERT_GE(Channel(result.Get(x, y), 1), Channel(result.Get(x - 1, y), 1)) << width << " at " << x;
    }
  }
  TTestPicture line(9, 9, Grey(0));
  for (int y = 0; y < 9; ++y) line.Set(0, y, Grey(255));
  TTestPicture enlarged = Resampled(line, Whole(line), 72, 72);
  for (int x = 1; x < 72; ++x)
    ASSERT_LE(Channel(enlarged.Get(x, 30), 2), Channel(enlarged.Get(x - 1, 30), 2)) << x;
  EXPECT_EQ(enlarged.Get(0, 30), Grey(255));
  EXPECT_EQ(enlarged.Get(71, 30), Grey(0));
}

TEST(ResamplerTest, ACheckerboardShrinksToItsMean) {
  TTestPicture board(120, 120);
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 120; ++x) board.Set(x, y, Grey((x + y) % 2 ? 255 : 0));
  // Odd factors put a sample on one square: only a filter widened by the factor
  // averages its neighbours in instead of picking that square's colour.
  // Along the picture's edge the cut-off support leaves a slight lean.
  for (int size : {60, 40, 24, 48, 17, 7}) {
    TTestPicture result = Resampled(board, Whole(board), size, size);
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) {
        const bool edge = x == 0 || y == 0 || x == size - 1 || y == size - 1;
        for (int c = 0; c < 3; ++c)
          ASSERT_NEAR(Channel(result.Get(x, y), c), 127.5, edge ? 3 : 0.5) << size << " at " << x << "," << y;
      }
  }
}

TEST(ResamplerTest, OnePixelAndExtremeAspectPictures) {
  TTestPicture dot(1, 1, 0xFF336699);
  for (auto size : {std::pair<int, int>{1, 1}, {5, 4}, {1, 300}, {300, 1}}) {
    TTestPicture result = Resampled(dot, Whole(dot), size.first, size.second);
    for (int y = 0; y < size.second; ++y)
      for (int x = 0; x < size.first; ++x) ASSERT_EQ(result.Get(x, y), 0xFF336699u);
  }

  // A 10000 x 1 ramp keeps its slope shrunk to 100 x 1 and stretched to 1920 x 3: a
  // symmetric filter reproduces a straight ramp away from the ends. Sample x sits at
  // source position (x + 0.5) x scale; the ramp's values are truncated (half a step low).
  auto rampAt = [](double position) { return (position - 0.5) * 255 / 9999 - 0.5; };
  TTestPicture ramp(10000, 1);
  for (int x = 0; x < 10000; ++x) ramp.Set(x, 0, Grey(x * 255 / 9999));
  TTestPicture shrunk = Resampled(ramp, Whole(ramp), 100, 1, 2);
  for (int x = 2; x < 98; ++x) ASSERT_NEAR(Channel(shrunk.Get(x, 0), 0), rampAt((x + 0.5) * 100), 0.6) << x;
  TTestPicture wide = Resampled(ramp, Whole(ramp), 1920, 3, 2);
  for (int y = 0; y < 3; ++y)
    for (int x = 2; x < 1918; ++x)
      ASSERT_NEAR(Channel(wide.Get(x, y), 1), rampAt((x + 0.5) * 10000 / 1920), 0.6) << x;

  TTestPicture tall(1, 10000);
  for (int y = 0; y < 10000; ++y) tall.Set(0, y, Grey(y * 255 / 9999));
  TTestPicture column = Resampled(tall, Whole(tall), 2, 100, 2);
  for (int y = 2; y < 98; ++y) ASSERT_NEAR(Channel(column.Get(1, y), 2), rampAt((y + 0.5) * 100), 0.6) << y;
}

TEST(ResamplerTest, TheNumberOfThreadsDoesNotChangeTheResult) {
  TTestPicture source = NoisePicture(301, 203);
  for (auto size : {std::pair<int, int>{150, 97}, {640, 480}, {301, 50}}) {
    const TTestPicture alone = Resampled(source, {3.5, 1, 290, 200.25}, size.first, size.second, 1);
    for (int workers : {2, 3, 7, 0})
      EXPECT_EQ(Resampled(source, {3.5, 1, 290, 200.25}, size.first, size.second, workers).Bytes,
                alone.Bytes)
          << workers << " workers, " << size.first << "x" << size.second;
  }
}

TEST(ResamplerTest, OnlyTheVisiblePartOfTheDestinationIsDrawn) {
  TTestPicture source = NoisePicture(64, 48);
  // The whole result drawn into a big target...
  TTestPicture whole(100, 80, 0);
  TResampleOptions options;
  ASSERT_TRUE(ResamplePicture(source.Walk(), Whole(source), whole.Span(), {0, 0, 100, 80}, options));
  // ...and the same destination hanging 30 pixels left of and 20 above a small one.
  TTestPicture target(50, 40, 0xFF000000);
  options.Workers = 2;
  ASSERT_TRUE(ResamplePicture(source.Walk(), Whole(source), target.Span(), {-30, -20, 100, 80}, options));
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 50; ++x) ASSERT_EQ(target.Get(x, y), whole.Get(x + 30, y + 20)) << x << "," << y;
  EXPECT_TRUE(target.PaddingIntact());

  // A destination beside the target, or an area outside the picture, draws nothing.
  TTestPicture untouched(10, 10, 0x01020304);
  EXPECT_FALSE(ResamplePicture(source.Walk(), Whole(source), untouched.Span(), {10, 0, 5, 5}, options));
  EXPECT_FALSE(ResamplePicture(source.Walk(), {64, 0, 10, 10}, untouched.Span(), {0, 0, 5, 5}, options));
  EXPECT_FALSE(ResamplePicture(source.Walk(), {0, 0, 0, 10}, untouched.Span(), {0, 0, 5, 5}, options));
  EXPECT_FALSE(ResamplePicture(source.Walk(), Whole(source), untouched.Span(), {0, 0, 0, 5}, options));
  EXPECT_FALSE(ResamplePicture(TPixelWalk{}, Whole(source), untouched.Span(), {0, 0, 5, 5}, options));
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(untouched.Get(x, y), 0x01020304u);
}

TEST(ResamplerTest, GammaIsAppliedToTheSourceValues) {
  EXPECT_TRUE(IsIdentityTable(GammaTableForPercent(100)));
  EXPECT_TRUE(IsIdentityTable(GammaTableForPercent(0)));
  EXPECT_TRUE(IsIdentityTable(GammaTableForPercent(1001)));
  EXPECT_TRUE(IsIdentityTable(GammaTable(1.0)));
  const TGammaTable half = GammaTableForPercent(50);
  EXPECT_EQ(half[64], 127);  // trunc(sqrt(64 / 255) x 255) = trunc(127.75)
  EXPECT_EQ(half[0], 0);
  EXPECT_EQ(half[255], 255);
  const TGammaTable darker = GammaTableForPercent(200);
  EXPECT_EQ(darker[128], 64);  // trunc(128^2 / 255) = trunc(64.25)
  EXPECT_EQ(GammaTableForPercent(1)[1], 241);  // trunc((1 / 255)^0.01 x 255)

  // Gamma before filtering: a two-value picture averages the mapped values.
  TTestPicture stripes(4, 2);
  for (int x = 0; x < 4; ++x)
    for (int y = 0; y < 2; ++y) stripes.Set(x, y, Grey(x % 2 ? 128 : 0));
  TTestPicture result = Resampled(stripes, Whole(stripes), 4, 2, 1, &darker);
  EXPECT_EQ(result.Get(1, 0), Grey(64));
  EXPECT_EQ(result.Get(2, 1), Grey(0));
  TTestPicture mean = Resampled(stripes, {0, 0, 2, 2}, 1, 1, 1, &darker);
  EXPECT_EQ(Channel(mean.Get(0, 0), 1), 32);
}

TEST(ResamplerTest, NormalisingWhileReadingGivesWhatNormalisingFirstGives) {
  const TGammaTable darker = GammaTableForPercent(160);
  for (const bool opaque : {true, false}) {
    TTestPicture source = NoisePicture(41, 29);
    if (!opaque)
      for (int y = 0; y < source.Height; ++y)
        for (int x = 0; x < source.Width; x += 3) source.At(x, y)[3] = static_cast<uint8_t>(x * 6 + y);
    double factor = 0;
    const TChannelTable table =
        NormalizationTable(TBrightnessMethod::AnisotropicDampening, 0.3, 0.2, 0.7, factor);
    TTestPicture normalized = source;
    ApplyBrightnessNormalization(normalized.Span(), TBrightnessMethod::AnisotropicDampening, 0.3, 0.2, 0.7);
    // Straight and turned a quarter (read across the rows), shrunk and enlarged.
    for (const int orientation : {1, 6}) {
      for (const int size : {13, 60}) {
        const TPixelWalk walk = OrientedWalk(source.Span(), orientation);
        const TSourceArea area{0, 0, double(walk.Width), double(walk.Height)};
        TResampleOptions options;
        options.SourceIsOpaque = opaque;
        options.Gamma = &darker;
        TTestPicture first(size, size, 0xFF204060), reading(size, size, 0xFF204060), plain(size, size, 0xFF204060);
        ASSERT_TRUE(ResamplePicture(OrientedWalk(normalized.Span(), orientation), area, first.Span(),
                                    {0, 0, size, size}, options));
        ASSERT_TRUE(ResamplePicture(walk, area, plain.Span(), {0, 0, size, size}, options));
        options.Channels = &table;
        ASSERT_TRUE(ResamplePicture(walk, area, reading.Span(), {0, 0, size, size}, options));
        EXPECT_NE(first.Bytes, plain.Bytes) << "the normalisation changes the picture";
        EXPECT_EQ(reading.Bytes, first.Bytes) << opaque << " " << orientation << " " << size;
      }
    }
  }
}

TEST(ResamplerTest, CancellingStopsTheWorkAndSaysSo) {
  TTestPicture source = NoisePicture(64, 64);
  TTestPicture target(200, 200, 0x11223344);
  std::atomic<int> asked{0};
  TResampleOptions options;
  options.Cancelled = [&asked] { return ++asked > 2; };
  EXPECT_FALSE(ResamplePicture(source.Walk(), Whole(source), target.Span(), {0, 0, 200, 200}, options));
  EXPECT_EQ(asked, 3) << "asked again after it said stop";
  EXPECT_NE(target.Get(0, 0), 0x11223344u) << "the first rows are drawn";
  EXPECT_EQ(target.Get(0, 199), 0x11223344u) << "the last row is not";

  // Never cancelled, over several threads: the picture as drawn without the question.
  options.Cancelled = [] { return false; };
  options.Workers = 3;
  TTestPicture asking(200, 200, 0x11223344);
  EXPECT_TRUE(ResamplePicture(source.Walk(), Whole(source), asking.Span(), {0, 0, 200, 200}, options));
  EXPECT_EQ(asking.Bytes, Resampled(source, Whole(source), 200, 200, 3).Bytes);
}

TEST(ResamplerTest, TranslucentPicturesLieOverTheTarget) {
  // Transparent white beside opaque dark blue. Premultiplied filtering lets none of
  // the white in: over black, red and green stay 0 and blue is the dark blue's share
  // (alpha, read over white, where only the target gives green).
  TTestPicture source(8, 8, 0x00FFFFFF);
  for (int y = 0; y < 8; ++y)
    for (int x = 4; x < 8; ++x) source.Set(x, y, 0xFF000080);
  TResampleOptions options;
  options.SourceIsOpaque = false;
  TTestPicture overBlack(20, 20, 0xFF000000), overWhite(20, 20, 0xFFFFFFFF);
  ASSERT_TRUE(ResamplePicture(source.Walk(), Whole(source), overBlack.Span(), {0, 0, 20, 20}, options));
  ASSERT_TRUE(ResamplePicture(source.Walk(), Whole(source), overWhite.Span(), {0, 0, 20, 20}, options));
  for (int x = 0; x < 20; ++x) {
    const uint32_t black = overBlack.Get(x, 10);
    const int alpha = 255 - Channel(overWhite.Get(x, 10), 1);
    EXPECT_EQ(Channel(black, 2), 0) << x;
    EXPECT_EQ(Channel(black, 1), 0) << x;
    EXPECT_NEAR(Channel(black, 0), alpha * 128 / 255.0, 1.01) << x;
    EXPECT_EQ(Channel(black, 3), 255) << x;
  }
  EXPECT_EQ(overWhite.Get(0, 10), 0xFFFFFFFFu);  // fully transparent: the target shows
  EXPECT_EQ(overBlack.Get(19, 10), 0xFF000080u);  // fully opaque: the picture shows

  // Half-transparent white over black: about half grey.
  TTestPicture half(3, 3, 0x80FFFFFF);
  TTestPicture black(3, 3, 0xFF000000);
  ASSERT_TRUE(ResamplePicture(half.Walk(), Whole(half), black.Span(), {0, 0, 3, 3}, options));
  EXPECT_NEAR(Channel(black.Get(1, 1), 1), 128, 1);
  EXPECT_EQ(Channel(black.Get(1, 1), 3), 255);
}

}  // namespace
