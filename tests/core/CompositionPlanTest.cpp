#include "core/composition/CompositionPlan.h"

#include <gtest/gtest.h>

namespace {

TEST(CompositionPlanTest, PreconditionsOfARun) {
  TCompositionRequest request;
  request.CurrentFileTitle = "C:\\Pictures\\Lake.jpg";
  request.TitleIsPictureFile = true;
  request.WallpaperFilePath = "C:\\Temp\\Muralotrope_Wallpaper.bmp";
  EXPECT_TRUE(ShouldComposeWallpaper(request));

  auto without = [&](auto change) {
    TCompositionRequest changed = request;
    change(changed);
    return ShouldComposeWallpaper(changed);
  };
  EXPECT_FALSE(without([](TCompositionRequest& r) { r.IsUpdatingControls = true; }));
  EXPECT_FALSE(without([](TCompositionRequest& r) { r.OptionsLoading = true; }));
  EXPECT_FALSE(without([](TCompositionRequest& r) { r.SkinLoading = true; }));
  EXPECT_FALSE(without([](TCompositionRequest& r) { r.CurrentFileTitle.clear(); }));
  EXPECT_FALSE(without([](TCompositionRequest& r) { r.TitleIsPictureFile = false; }));
  // Our own wallpaper file, in any letter case.
  EXPECT_FALSE(without([](TCompositionRequest& r) {
    r.CurrentFileTitle = "c:\\TEMP\\muralotrope_wallpaper.BMP";
  }));
  EXPECT_TRUE(without([](TCompositionRequest& r) {
    r.CurrentFileTitle = "C:\\Temp\\Muralotrope_Wallpaper.bmp.jpg";
  }));
}

TEST(CompositionPlanTest, FittedPictureIsReusedOnlyByARedrawWithAUsableCache) {
  const TFittedPictureCache kept{1280, 1024, true};
  EXPECT_FALSE(MustRefitPicture(false, kept));
  EXPECT_TRUE(MustRefitPicture(true, kept));
  EXPECT_TRUE(MustRefitPicture(false, TFittedPictureCache{1280, 1024, false}));
  EXPECT_TRUE(MustRefitPicture(false, TFittedPictureCache{0, 1024, true}));
  EXPECT_TRUE(MustRefitPicture(false, TFittedPictureCache{1280, 0, true}));

  // A settings change: another screen size refits, another shrunk work area repaints.
  const TScreenRect area{20, 20, 1260, 984};
  EXPECT_EQ(ActionOnSettingsChange(1280, 1024, kept, area, area), TSettingsChangeAction::Nothing);
  EXPECT_EQ(ActionOnSettingsChange(1920, 1024, kept, area, area), TSettingsChangeAction::Reload);
  EXPECT_EQ(ActionOnSettingsChange(1280, 1080, kept, area, area), TSettingsChangeAction::Reload);
  EXPECT_EQ(ActionOnSettingsChange(1280, 1024, kept, {20, 20, 1260, 964}, area),
            TSettingsChangeAction::Redraw);
}

TEST(CompositionPlanTest, CalendarWorkAreaIsShrunkByTheMarginButNeverEmpty) {
  EXPECT_EQ(CalendarWorkArea({0, 0, 1280, 1004}, 20), (TScreenRect{20, 20, 1260, 984}));
  EXPECT_EQ(CalendarWorkArea({0, 30, 1280, 1024}, 0), (TScreenRect{0, 30, 1280, 1024}));

  // A margin that would swallow an axis leaves its middle pixel.
  const TScreenRect narrow = CalendarWorkArea({100, 0, 130, 1004}, 20);
  EXPECT_EQ(narrow, (TScreenRect{115, 20, 116, 984}));
  EXPECT_EQ(narrow.Width(), 1);
  const TScreenRect empty = CalendarWorkArea({5, 5, 5, 5}, 50);
  EXPECT_EQ(empty.Width(), 1);
  EXPECT_EQ(empty.Height(), 1);
  EXPECT_EQ(CalendarWorkArea({0, 0, 41, 41}, 20), (TScreenRect{20, 20, 21, 21}));
}

TEST(CompositionPlanTest, LabelTexts) {
  EXPECT_EQ(CurrentSkewLabelText(true, 1.0), "(Current full skew 100%)");
  EXPECT_EQ(CurrentSkewLabelText(true, 1.0666666), "(Current full skew 106%)");
  EXPECT_EQ(CurrentSkewLabelText(true, 2.4), "(Current full skew 240%)");
  EXPECT_EQ(CurrentSkewLabelText(false, 2.4), "(No current skew available)");
  EXPECT_EQ(AppliedNormFactorLabelText(true, 0.874), "(Applied normalization factor 87)");
  EXPECT_EQ(AppliedNormFactorLabelText(true, 0.99609375), "(Applied normalization factor 99)");
  EXPECT_EQ(AppliedNormFactorLabelText(true, 0), "(Applied normalization factor 0)");
  EXPECT_EQ(AppliedNormFactorLabelText(false, 0.874), "(No applied normalization factor)");
}

}  // namespace
