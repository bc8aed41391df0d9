#include "core/composition/Brightness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/trace/FunStatus.h"
#include "tests/core/PaddedPicture.h"

namespace {

// Made channel by channel, with alpha 77 unless said, so that a change to alpha shows.
struct TTestPicture : TPaddedPicture {
  TTestPicture(int width, int height, uint8_t b, uint8_t g, uint8_t r, uint8_t a = 77)
      : TPaddedPicture(width, height, Bgra(b, g, r, a)) {}
  void Set(int x, int y, uint8_t b, uint8_t g, uint8_t r, uint8_t a = 77) {
    TPaddedPicture::Set(x, y, Bgra(b, g, r, a));
  }
};

void ExpectPixel(TTestPicture& picture, int x, int y, int b, int g, int r, int a = 77) {
  const uint8_t* p = picture.At(x, y);
  EXPECT_EQ(p[0], b) << x << "," << y;
  EXPECT_EQ(p[1], g) << x << "," << y;
  EXPECT_EQ(p[2], r) << x << "," << y;
  EXPECT_EQ(p[3], a) << x << "," << y;
}

TEST(BrightnessTest, StatisticsUseTheBrightestChannelAndIntegerDivisions) {
  TTestPicture grey(3, 2, 128, 128, 128);
  TBrightnessStats stats = MeasureBrightness(grey.Span());
  EXPECT_DOUBLE_EQ(stats.Mean, 128 / 255.0);
  EXPECT_DOUBLE_EQ(stats.Deviation, 0);

  // Values 0, 0, 255, 255 (each pixel's brightest channel): m = 510 / 4 = 127,
  // q = (2 x 127^2 + 2 x 128^2) / 4 = 16256.
  TTestPicture mixed(2, 2, 0, 0, 0);
  mixed.Set(1, 0, 10, 255, 30);
  mixed.Set(1, 1, 255, 0, 0);
  stats = MeasureBrightness(mixed.Span());
  EXPECT_DOUBLE_EQ(stats.Mean, 127 * (1.0 / 255));
  EXPECT_DOUBLE_EQ(stats.Deviation, std::sqrt(16256.0) * (1.0 / 255));

  // Wider than one unrolled step, with a remainder.
  TTestPicture wide(7, 1, 0, 0, 0);
  for (int x = 0; x < 7; ++x) wide.Set(x, 0, 0, 0, static_cast<uint8_t>(x * 10));
  EXPECT_DOUBLE_EQ(MeasureBrightness(wide.Span()).Mean, 30 * (1.0 / 255));

  EXPECT_DOUBLE_EQ(MeasureBrightness(TPixelSpan{}).Mean, 0);
}

TEST(BrightnessTest, OnePassGivesTheTwoPassResults) {
  // The statistics' definition, pass by pass, on noise with every value; the rows are
  // enough for several threads' bands, which must add up to the same.
  TTestPicture noise(97, 301, 0, 0, 0);
  uint32_t seed = 5;
  for (int y = 0; y < 301; ++y)
    for (int x = 0; x < 97; ++x) {
      seed = seed * 1664525u + 1013904223u;
      noise.Set(x, y, static_cast<uint8_t>(seed >> 24), static_cast<uint8_t>(seed >> 16),
                static_cast<uint8_t>(seed >> 8 & 0x7F));
    }
  auto value = [&](int x, int y) {
    const uint8_t* p = noise.At(x, y);
    return static_cast<int64_t>(std::max(p[0], std::max(p[1], p[2])));
  };
  const int64_t count = 97 * 301;
  int64_t sum = 0;
  for (int y = 0; y < 301; ++y)
    for (int x = 0; x < 97; ++x) sum += value(x, y);
  const int64_t mean = sum / count;
  int64_t squares = 0;
  for (int y = 0; y < 301; ++y)
    for (int x = 0; x < 97; ++x) squares += (value(x, y) - mean) * (value(x, y) - mean);
  for (const int workers : {1, 3}) {
    const TBrightnessStats stats = MeasureBrightness(noise.Span(), workers);
    EXPECT_DOUBLE_EQ(stats.Mean, mean * (1.0 / 255)) << workers;
    EXPECT_DOUBLE_EQ(stats.Deviation, std::sqrt(static_cast<double>(squares / count)) * (1.0 / 255)) << workers;
  }
  EXPECT_TRUE(noise.PaddingIntact());
}

TEST(BrightnessTest, GreyAtLevelFiftyIsScaledByItsFactor) {
  TTestPicture grey(3, 2, 128, 128, 128);
  const TBrightnessStats stats = MeasureBrightness(grey.Span());
  const double factor = ApplyBrightnessNormalization(
      grey.Span(), TBrightnessMethod::BalancedScaling, stats.Mean, stats.Deviation, 0.5);
  EXPECT_NEAR(factor, 0.99609, 1e-5);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) ExpectPixel(grey, x, y, 127, 127, 127);
  EXPECT_TRUE(grey.PaddingIntact());

  TTestPicture dampened(1, 1, 128, 128, 128);
  ApplyBrightnessNormalization(dampened.Span(), TBrightnessMethod::AnisotropicDampening,
                               stats.Mean, stats.Deviation, 0.5);
  ExpectPixel(dampened, 0, 0, 85, 85, 85);

  // With a spread of values the deviation dampens further: values 200 and 0 give
  // mean and deviation 100 / 255, K = 1.26057 and f = 0.54454 for v = 200.
  TTestPicture spread(2, 1, 0, 0, 0);
  spread.Set(0, 0, 50, 100, 200);
  const TBrightnessStats spreadStats = MeasureBrightness(spread.Span());
  EXPECT_DOUBLE_EQ(spreadStats.Deviation, 100 / 255.0);
  ApplyBrightnessNormalization(spread.Span(), TBrightnessMethod::AnisotropicDampening, spreadStats.Mean,
                               spreadStats.Deviation, 0.5);
  ExpectPixel(spread, 0, 0, 27, 54, 108);
  ExpectPixel(spread, 1, 0, 0, 0, 0);
}

TEST(BrightnessTest, MirroredScalingKeepsWhiteAndLiftsTowardsIt) {
  // White is never brightened: darkening scales it to trunc(255 x level).
  for (double level : {0.3, 0.05}) {
    TTestPicture white(2, 1, 255, 255, 255, 200);
    const double factor =
        ApplyBrightnessNormalization(white.Span(), TBrightnessMethod::MirroredScaling, 1.0, 0, level);
    EXPECT_DOUBLE_EQ(factor, level);
    const int expected = static_cast<int>(255 * level);
    ExpectPixel(white, 1, 0, expected, expected, expected, 200);
  }
  // Brightening shrinks the distance to white: 255 - 0.5 x (255 - c); white stays white.
  TTestPicture dark(2, 1, 51, 0, 51);
  dark.Set(1, 0, 255, 255, 51);
  ApplyBrightnessNormalization(dark.Span(), TBrightnessMethod::MirroredScaling, 51 * (1.0 / 255), 0, 0.6);
  ExpectPixel(dark, 0, 0, 153, 127, 153);
  ExpectPixel(dark, 1, 0, 255, 255, 153);
}

TEST(BrightnessTest, ResultsAboveTheTopSaturate) {
  // Balanced brightening: a dark picture, one pixel v = 200 gets f = 1.774.
  TTestPicture picture(2, 2, 0, 0, 0);
  picture.Set(1, 1, 200, 10, 0);
  const TBrightnessStats stats = MeasureBrightness(picture.Span());
  ApplyBrightnessNormalization(picture.Span(), TBrightnessMethod::BalancedScaling, stats.Mean,
                               stats.Deviation, 0.9);
  ExpectPixel(picture, 1, 1, 255, 17, 0);
  ExpectPixel(picture, 0, 0, 0, 0, 0);

  // Anisotropic dampening of white at level 0.95 computes about 300.
  TTestPicture white(1, 1, 255, 255, 255);
  ApplyBrightnessNormalization(white.Span(), TBrightnessMethod::AnisotropicDampening, 1.0, 0, 0.95);
  ExpectPixel(white, 0, 0, 255, 255, 255);

  // A black picture counts as mean 0.01: the factor is at most 100.
  TTestPicture black(1, 1, 0, 0, 0);
  EXPECT_DOUBLE_EQ(ApplyBrightnessNormalization(black.Span(), TBrightnessMethod::BalancedScaling,
                                                0, 0, 1.0),
                   100);
  ExpectPixel(black, 0, 0, 0, 0, 0);
}

TEST(BrightnessTest, MethodNamesInAnyLetterCase) {
  EXPECT_EQ(BrightnessMethodFromText("balanced SCALING"), TBrightnessMethod::BalancedScaling);
  EXPECT_EQ(BrightnessMethodFromText("ANISOTROPIC DAMPENING"), TBrightnessMethod::AnisotropicDampening);
  EXPECT_EQ(BrightnessMethodFromText("Mirrored scaling"), TBrightnessMethod::MirroredScaling);
  // Every name offered to the user is one the normalisation knows.
  ASSERT_EQ(BrightnessMethodNames().size(), 3u);
  for (const std::string& name : BrightnessMethodNames())
    EXPECT_NE(BrightnessMethodFromText(name), TBrightnessMethod::None) << name;
  EXPECT_EQ(BrightnessMethodFromText("Mirrored scaling "), TBrightnessMethod::None);
  EXPECT_EQ(BrightnessMethodFromText("Mirrored"), TBrightnessMethod::None);
  EXPECT_EQ(BrightnessMethodFromText(""), TBrightnessMethod::None);
}

// A bitmap lock over a test picture that counts its calls.
struct TTestLock {
  TTestPicture* Picture;
  bool Refuse = false;
  int Locks = 0;
  int Unlocks = 0;
  bool LastForWriting = false;
  TPixelAccess Access() {
    return {[this](bool forWriting, TPixelSpan& span) {
              ++Locks;
              LastForWriting = forWriting;
              if (Refuse) return false;
              span = Picture->Span();
              return true;
            },
            [this] { ++Unlocks; }};
  }
};

TEST(BrightnessTest, TracedOperationsLockAndReportARefusedLock) {
  TTestPicture grey(2, 2, 128, 128, 128);
  TTestLock lock{&grey};
  const TBrightnessStats stats = GetPictureBright(lock.Access());
  EXPECT_FALSE(FunStatContext.Failed());
  EXPECT_FALSE(lock.LastForWriting);
  const double factor =
      NormalizePictureBrightness(lock.Access(), "balanced SCALING", stats.Mean, stats.Deviation, 0.5);
  EXPECT_FALSE(FunStatContext.Failed());
  EXPECT_TRUE(lock.LastForWriting);
  EXPECT_EQ(lock.Locks, 2);
  EXPECT_EQ(lock.Unlocks, 2);
  EXPECT_NEAR(factor, 0.99609, 1e-5);
  ExpectPixel(grey, 1, 1, 127, 127, 127);

  // An unknown method still locks, changes nothing and returns the factor.
  EXPECT_NEAR(NormalizePictureBrightness(lock.Access(), "Sharpening", stats.Mean, 0, 0.25),
              0.25 / (128 / 255.0), 1e-9);
  ExpectPixel(grey, 1, 1, 127, 127, 127);

  lock.Refuse = true;
  lock.Unlocks = 0;
  const TBrightnessStats none = GetPictureBright(lock.Access());
  EXPECT_EQ(FunStatContext.Status, Error);
  EXPECT_EQ(FunStatContext.Function, "GetPictureBright");
  EXPECT_EQ(FunStatContext.Description, "Failed to lock bitmap bits");
  EXPECT_DOUBLE_EQ(none.Mean, 0);
  EXPECT_DOUBLE_EQ(none.Deviation, 0);

  NormalizePictureBrightness(lock.Access(), "Balanced scaling", 0.2, 0, 0.9);
  EXPECT_EQ(FunStatContext.Function, "NormalizePictureBrightness");
  EXPECT_EQ(FunStatContext.Description, "Failed to lock bitmap bits");
  EXPECT_EQ(lock.Unlocks, 0);
  ExpectPixel(grey, 1, 1, 127, 127, 127);
  FunStatContext.Reset(Perfect);
}

}  // namespace
