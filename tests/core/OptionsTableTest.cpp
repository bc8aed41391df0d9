#include "core/settings/OptionsTable.h"
#include "core/settings/ListItems.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

TEST(OptionsTableTest, RowsAreWellFormedAndEachSectionIsOneRun) {
  std::vector<std::string> sections;
  std::set<std::string> holders;
  std::set<std::string> keys;
  for (const TOption& option : OptionsTable()) {
    SCOPED_TRACE(option.Section + " " + option.Holder);
    // A section that came back after another one would be split in the file.
    if (sections.empty() || sections.back() != option.Section) {
      EXPECT_EQ(std::count(sections.begin(), sections.end(), option.Section), 0);
      sections.push_back(option.Section);
    }
    EXPECT_TRUE(holders.insert(option.Holder).second);
    for (const std::string& key : option.Keys) EXPECT_TRUE(keys.insert(option.Section + "/" + key).second) << key;
    EXPECT_EQ(option.Keys.empty(), option.Kind == TOptionKind::Section);
    EXPECT_EQ(option.Items != nullptr, option.Kind == TOptionKind::ComboBox);
    if (option.Items) {
      EXPECT_NE(std::find(option.Items->begin(), option.Items->end(), option.DefaultText), option.Items->end())
          << option.DefaultText;
    }
    if (option.Kind == TOptionKind::CheckBox)
      EXPECT_TRUE(option.DefaultText == "TRUE" || option.DefaultText == "FALSE");
    EXPECT_EQ(FindOption(option.Holder), &option);
  }
  EXPECT_EQ(sections, (std::vector<std::string>{"Main", "Wallpaper", "Calendar", "CalendarSkin",
                                                "BroadcastWallpaperChange", "DirectoryList", "FavoritePictures"}));
  EXPECT_EQ(FindOption("NoSuchControl"), nullptr);
}

TEST(OptionsTableTest, ControlsStartAtTheDocumentedDefaults) {
  std::vector<std::string> defaults;
  for (const TOption& option : OptionsTable()) {
    if (option.Kind == TOptionKind::CheckBox || option.Kind == TOptionKind::ComboBox)
      defaults.push_back(option.Key() + "=" + option.DefaultText);
    if (option.Kind == TOptionKind::ColorPanel) defaults.push_back(option.Key() + "=" + std::to_string(option.DefaultColor));
  }
  EXPECT_EQ(defaults, (std::vector<std::string>{
                          "Autorun=TRUE", "HideOnClose=TRUE", "Hotkey=W", "DesktopMargin=20",
                          "IsAutoChange=TRUE", "AutoChangeInterval=1 hour", "UseAutoChangeStartTime=FALSE",
                          "AutoChangeStartTime=0", "IsRandomWallpaper=FALSE", "FillingPictureColor=0",
                          "PictureMinStretchSize=300", "PictureMaxStretchSkew=120", "FitAndCropPicture=FALSE",
                          "StretchPicture=TRUE", "IsFitBeforeTilePicture=TRUE", "IsTilePicture=TRUE",
                          "UsePictureNormalizeBrightness=FALSE", "PictureNormalizeBrightnessLevel=50",
                          "PictureNormalizeBrightnessMethod=Balanced scaling", "GammaPicture=100", "Show=TRUE",
                          "IsAutoChange=TRUE", "AutoChangeInterval=1 hour"}));
  // The broadcast list offers no "1 minute"; the hotkey list is the 26 letters.
  EXPECT_EQ(FindOption("BroadcastWallpaperChangeIntervalComboBox")->Items->front(), "5 minutes");
  EXPECT_EQ(FindOption("HotkeyComboBox")->Items->size(), 26u);
  EXPECT_EQ(FindOption("DesktopMarginComboBox")->Items->back(), "50");
  const std::vector<std::string>& hours = *FindOption("AutoChangeWallpaperStartTimeComboBox")->Items;
  EXPECT_EQ(hours.size(), 24u);
  EXPECT_EQ(hours.front() + " " + hours[9] + " " + hours.back(), "0 9 23");
}

TEST(OptionsTableTest, NumberItemsRunFromFirstByStepAndStopAtLast) {
  EXPECT_EQ(NumberItems(0, 50, 25), (std::vector<std::string>{"0", "25", "50"}));
  EXPECT_EQ(NumberItems(1, 10, 4), (std::vector<std::string>{"1", "5", "9"}));
  EXPECT_EQ(NumberItems(-1, -1, 1), (std::vector<std::string>{"-1"}));
  EXPECT_TRUE(NumberItems(5, 4, 1).empty());
}

}  // namespace
