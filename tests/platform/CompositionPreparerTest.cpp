// Preparing the next picture on the worker thread, and when a change may use it.
#include "platform/PicturePreparer.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "core/trace/FunStatus.h"
#include "platform/GdiPlusPicture.h"
#include "tests/platform/CompositionTestPictures.h"

namespace {

class CompositionPreparerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { session_ = new TGdiPlusSession(); }
  static void TearDownTestSuite() { delete session_; }
  void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  void TearDown() override {
    for (const std::string& file : files_) DeleteFileA(file.c_str());
    FunStatContext.Reset(Perfect);
    CoUninitialize();
  }
  std::string Picture(const std::string& name, uint32_t colour) {
    files_.push_back(CompositionTempPath("mt_prepare_" + std::to_string(GetCurrentProcessId()) + "_" + name));
    EXPECT_TRUE(WriteEncodedPicture(files_.back(), L"image/png", 90, 60,
                                    [colour](int x, int y) { return colour + static_cast<uint32_t>(x + y); }));
    return files_.back();
  }
  static TPreparationKey Key(const std::string& file) {
    TResizeRules rules;
    rules.MinStretchSize = -1;
    TPictureEffects effects;
    effects.Normalize = true;
    effects.GammaPercent = 150;
    return PreparationKeyOf(file, rules, effects, 64, 48, 1, ReadFileStamp);
  }
  std::vector<std::string> files_;
  static TGdiPlusSession* session_;
};
TGdiPlusSession* CompositionPreparerTest::session_ = nullptr;

bool SamePixels(const TScreenBitmap& a, const TScreenBitmap& b) {
  GdiFlush();
  return a.Width() == b.Width() && a.Height() == b.Height() &&
         std::memcmp(a.Pixels(), b.Pixels(), static_cast<size_t>(a.Stride()) * a.Height()) == 0;
}

TEST_F(CompositionPreparerTest, APreparedPictureIsTheOneAReloadWouldMakeAndIsTakenOnce) {
  const std::string next = Picture("next.png", 0x204060);
  const TPreparationKey key = Key(next);
  ASSERT_TRUE(key.Stamp.Exists);
  TPicturePreparer preparer;
  // The worker must leave the status trace alone, even while the foreground uses it.
  FunStatContext.Reset(Perfect);
  FunStatContext.Description = "foreground";
  preparer.Prepare(key);
  ASSERT_TRUE(preparer.WaitUntilIdle(20000));
  EXPECT_EQ(FunStatContext.Description, "foreground");
  FunStatContext.Reset(Perfect);
  TPreparationKey ready;
  ASSERT_TRUE(preparer.ReadyKey(ready));
  EXPECT_EQ(ready.FileName, next);

  // Another picture wanted: nothing handed over, the prepared one kept.
  double skew = 0, factor = 0;
  EXPECT_EQ(preparer.TakeIfUsable(Key(Picture("other.png", 0x603020)), skew, factor), nullptr);
  ASSERT_TRUE(preparer.ReadyKey(ready));

  std::unique_ptr<TScreenBitmap> prepared = preparer.TakeIfUsable(Key(next), skew, factor);
  ASSERT_NE(prepared, nullptr);
  std::unique_ptr<TScreenBitmap> reloaded;
  double reloadSkew = 0, reloadFactor = 0;
  LoadTilePictureToBitmap(next, reloaded, key.Rules, 64, 48, key.Effects, &reloadSkew, &reloadFactor);
  ASSERT_NE(reloaded, nullptr);
  EXPECT_TRUE(SamePixels(*prepared, *reloaded));
  EXPECT_EQ(skew, reloadSkew);
  EXPECT_EQ(factor, reloadFactor);
  EXPECT_GT(factor, 0.0);
  // Handed over once only.
  EXPECT_EQ(preparer.TakeIfUsable(Key(next), skew, factor), nullptr);
  EXPECT_FALSE(preparer.ReadyKey(ready));
}

TEST_F(CompositionPreparerTest, StaleOrBrokenPreparationsAreNeverHandedOver) {
  const std::string next = Picture("next.png", 0x204060);
  TPicturePreparer preparer;
  double skew = 0, factor = 0;
  TPreparationKey ready;

  // Options changed after the preparation.
  preparer.Prepare(Key(next));
  ASSERT_TRUE(preparer.WaitUntilIdle(20000));
  TPreparationKey changed = Key(next);
  changed.Effects.GammaPercent = 100;
  EXPECT_TRUE(preparer.DropIfStale(changed));
  EXPECT_FALSE(preparer.ReadyKey(ready));
  EXPECT_EQ(preparer.TakeIfUsable(Key(next), skew, factor), nullptr);

  // The file replaced by another picture of the same name.
  preparer.Prepare(Key(next));
  ASSERT_TRUE(preparer.WaitUntilIdle(20000));
  ASSERT_TRUE(preparer.ReadyKey(ready));
  ASSERT_TRUE(WriteEncodedPicture(next, L"image/png", 91, 60, [](int, int) { return 0xFFFFFFu; }));
  EXPECT_EQ(preparer.TakeIfUsable(Key(next), skew, factor), nullptr);
  EXPECT_FALSE(preparer.ReadyKey(ready));

  // Dropped while it may still run: nothing comes of it.
  preparer.Prepare(Key(next));
  preparer.Drop();
  ASSERT_TRUE(preparer.WaitUntilIdle(20000));
  EXPECT_FALSE(preparer.ReadyKey(ready));

  // A broken picture fails silently.
  const std::string broken = CompositionTempPath("mt_prepare_broken.png");
  files_.push_back(broken);
  WriteWholeFile(broken, "not a picture");
  FunStatContext.Reset(Perfect);
  preparer.Prepare(Key(broken));
  ASSERT_TRUE(preparer.WaitUntilIdle(20000));
  EXPECT_FALSE(FunStatContext.Failed());
  EXPECT_FALSE(preparer.ReadyKey(ready));
  EXPECT_EQ(preparer.TakeIfUsable(Key(broken), skew, factor), nullptr);
}

TEST_F(CompositionPreparerTest, ClosingDuringAPreparationLeavesNothingBehind) {
  const std::string next = Picture("next.png", 0x204060);
  for (int i = 0; i < 5; ++i) {
    TPicturePreparer preparer;
    preparer.Prepare(Key(next));
  }  // each destroyed while its preparation may still run
  TPicturePreparer preparer;
  preparer.Prepare(Key(next));
  ASSERT_TRUE(preparer.WaitUntilIdle(20000));
  TPreparationKey ready;
  EXPECT_TRUE(preparer.ReadyKey(ready));
}

}  // namespace
