// The options load inside the real main window: what it derives from the
// controls after reading them, and the length limit of stored paths.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "app/main/MainForm.h"
#include "core/settings/OptionsTable.h"
#include "platform/StoredTextFiles.h"

namespace {

class OptionsLoadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = std::make_unique<TMainForm>();
    if (!form_->Create()) GTEST_SKIP() << "the main window's dialog templates are not linked into this test program";
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "mt_options_" + std::to_string(GetCurrentProcessId()) + ".ini";
  }
  void TearDown() override {
    DeleteFileA(path_.c_str());
    form_.reset();
  }

  // Loads text as the options file into the window.
  bool Load(const std::string& text) {
    std::ofstream(path_, std::ios::binary) << text;
    TStoredTextList store(path_, StoredTextFiles());
    store.OnLoad = [this](TStoredTextList& loaded, uint8_t) { form_->LoadOptions(loaded); };
    return store.Load(0);
  }

  std::unique_ptr<TMainForm> form_;
  std::string path_;
};

TEST_F(OptionsLoadTest, PeriodsFollowTheLoadedIntervalsAndPathsKeepTheirLimit) {
  const std::string longest = "C:\\" + std::string(253, 'p') + ".bmp";  // 260 characters
  ASSERT_EQ(longest.size(), 260u);
  ASSERT_TRUE(Load("[Wallpaper]\r\nAutoChangeInterval=2 HOURS\r\nLastFileTitle=" + longest +
                   "\r\nFillingPictureColor=clNavy\r\n"
                   "[Calendar]\r\nLastCalendarSkinName=" + longest + "\r\n"
                   "[BroadcastWallpaperChange]\r\nAutoChangeInterval=1 week\r\n"));
  EXPECT_EQ(form_->Schedule.AutoChangeWallpaperIntervalComboBox.Text(), "2 hours");
  EXPECT_DOUBLE_EQ(form_->Schedule.AutoChangePeriod(), 2 * 3600);
  EXPECT_DOUBLE_EQ(form_->Composition.BroadcastPeriod(), 7 * 24 * 3600);
  EXPECT_EQ(form_->Catalogue.Selection().CurrentFileTitle, longest);
  EXPECT_EQ(form_->Calendar.LastCalendarSkinName(), longest);
  EXPECT_EQ(form_->Composition.FillingPictureColorPanel.Color(), 0x800000u);

  // One character more is ignored and the values loaded before stay; an
  // interval that is no item selects the first and the period follows it.
  ASSERT_TRUE(Load("[Wallpaper]\r\nAutoChangeInterval=90 minutes\r\nLastFileTitle=" + longest + "x\r\n"
                   "[Calendar]\r\nLastCalendarSkinName=" + longest + "x\r\n"));
  EXPECT_EQ(form_->Catalogue.Selection().CurrentFileTitle, longest);
  EXPECT_EQ(form_->Calendar.LastCalendarSkinName(), longest);
  EXPECT_EQ(form_->Schedule.AutoChangeWallpaperIntervalComboBox.Text(), "1 minute");
  EXPECT_DOUBLE_EQ(form_->Schedule.AutoChangePeriod(), 60);
  // A missing broadcast interval takes "1 hour".
  EXPECT_EQ(form_->Composition.BroadcastWallpaperChangeIntervalComboBox.Text(), "1 hour");
  EXPECT_DOUBLE_EQ(form_->Composition.BroadcastPeriod(), 3600);
}

TEST_F(OptionsLoadTest, EveryRowOfTheOptionsTableHasItsHolderAndStartsAtItsDefault) {
  for (const TOption& option : OptionsTable()) {
    const TOptionHolder holder = form_->FindOptionHolder(option.Holder);
    SCOPED_TRACE(option.Holder);
    // Every row is read and written by its holder.
    ASSERT_TRUE(holder);
    EXPECT_TRUE(holder.Save);
    switch (option.Kind) {
      case TOptionKind::CheckBox:
        ASSERT_NE(holder.CheckBox, nullptr);
        EXPECT_EQ(holder.CheckBox->Checked(), option.DefaultChecked());
        break;
      case TOptionKind::ComboBox:
        ASSERT_NE(holder.ComboBox, nullptr);
        EXPECT_EQ(holder.ComboBox->Items(), *option.Items);
        EXPECT_EQ(holder.ComboBox->Text(), option.DefaultText);
        break;
      case TOptionKind::ColorPanel:
        ASSERT_NE(holder.ColorPanel, nullptr);
        EXPECT_EQ(holder.ColorPanel->Color(), option.DefaultColor);
        break;
      case TOptionKind::Real:
        EXPECT_NE(holder.Real, nullptr);
        break;
      case TOptionKind::Path:
        EXPECT_NE(holder.Text, nullptr);
        break;
      default:
        break;
    }
  }
  // The periods follow the default intervals from the start.
  EXPECT_DOUBLE_EQ(form_->Schedule.AutoChangePeriod(), 3600);
  EXPECT_DOUBLE_EQ(form_->Composition.BroadcastPeriod(), 3600);
}

}  // namespace
