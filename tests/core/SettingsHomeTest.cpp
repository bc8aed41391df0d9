#include "core/settings/SettingsHome.h"

#include <gtest/gtest.h>

TEST(SettingsHomeTest, AWritableProgramFolderKeepsTheSettingsBesideTheProgram) {
  EXPECT_EQ(ChooseSettingsHome(true, true), TSettingsHome::BesideProgram);
  EXPECT_EQ(ChooseSettingsHome(false, true), TSettingsHome::UserFolder);
  // Without a user folder there is nowhere better to go.
  EXPECT_EQ(ChooseSettingsHome(false, false), TSettingsHome::BesideProgram);
}

TEST(SettingsHomeTest, TheFirstStartInTheUserFolderCopiesTheOptionsAndTheSkinsItLacks) {
  TSettingsMigration first =
      PlanSettingsMigration(false, true, {"Blue.wps", "notes.txt", "Red.WPS", "Green.wps"}, {"green.wps"});
  EXPECT_TRUE(first.CopyOptionsFile);
  EXPECT_EQ(first.SkinFiles, (std::vector<std::string>{"Blue.wps", "Red.WPS"}));

  EXPECT_FALSE(PlanSettingsMigration(false, false, {}, {}).CopyOptionsFile);

  // Once the user's folder has its own options file, nothing is copied again,
  // so a skin deleted there stays deleted.
  TSettingsMigration later = PlanSettingsMigration(true, true, {"Blue.wps"}, {});
  EXPECT_FALSE(later.CopyOptionsFile);
  EXPECT_TRUE(later.SkinFiles.empty());
}
