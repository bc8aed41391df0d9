#include "core/catalogue/RandomMix.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct TFakeSystem {
  uint32_t Tick = 0;
  std::vector<uint8_t> Handed;  // the auxiliary bytes the source was given
  bool Fails = false;
  TRandomSystem System() {
    return {[this] { return Tick; },
            [this](uint8_t* bytes, uint32_t count) {
              Handed.assign(bytes, bytes + count);
              const uint8_t minusSeven[4] = {0xF9, 0xFF, 0xFF, 0xFF};
              for (uint32_t k = 0; k < count; ++k) bytes[k] = Fails ? 0xEE : minusSeven[k];
              return !Fails;
            }};
  }
};

TEST(RandomMixTest, MixIsRotatedByteSwappedSumPlusTickSharedByAll) {
  TFakeSystem fake;
  MixState = 0;
  TRandom first(fake.System(), 0x100, -0x100);
  EXPECT_EQ(MixState, 0u);  // the cursor's sum wraps to 0
  EXPECT_EQ(first.LastY, -0x100);
  TRandom second(fake.System(), 1, 0);
  EXPECT_EQ(MixState, 0x00080000u);  // rotr5(0x01000000)
  fake.Tick = 0x10;
  EXPECT_EQ(first.Mix(0, 0), 0x80000040u);  // rotr5(0x00000800 + 0x10)
  MixState = 0xFFFFFFFFu;
  fake.Tick = 0x20;
  EXPECT_EQ(second.Mix(1, 0), 1u);
}

TEST(RandomMixTest, PointsMixOnlyAfterMovingThreePixels) {
  TFakeSystem fake;
  TRandom random(fake.System(), 100, 100);
  MixState = 5;
  random.MixPoint(102, 98);
  EXPECT_EQ(MixState, 5u);
  random.MixPoint(97, 100);
  EXPECT_NE(MixState, 5u);
  EXPECT_EQ(random.LastX, 97);
  random.MixPoint(INT32_MAX, INT32_MIN);  // far moves do not overflow
  EXPECT_EQ(random.LastY, INT32_MIN);
}

TEST(RandomMixTest, GetHandsTheMixedBytesToTheSourceAndReadsItsReplacement) {
  TFakeSystem fake;
  TRandom random(fake.System(), 0, 0);
  MixState = 0x12345678u;
  EXPECT_EQ(random.Get(), -7);
  EXPECT_EQ(fake.Handed, (std::vector<uint8_t>{0xA0, 0xB1, 0xC2, 0x93}));  // rotr5(0x78563412)
  EXPECT_EQ(MixState, 0x93C2B1A0u);

  fake.Fails = true;  // a failing source leaves the mixed value
  MixState = 0x12345678u;
  EXPECT_EQ(random.Get(), static_cast<int32_t>(0x93C2B1A0u));
}

}  // namespace
