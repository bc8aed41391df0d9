#include "core/control/TrayMenu.h"

#include <gtest/gtest.h>

namespace {

TEST(TrayMenuTest, ItemsAndPopupChecks) {
  std::string captions;
  for (const TTrayMenuItem& item : TrayMenuItems()) captions += std::string(item.Caption) + "|";
  EXPECT_EQ(captions,
            "Close|-|Add pictures directory|-|Visible calendar|Visible background|"
            "Set calendar position|Load calendar skin|Load calendar colors|-|Normalize brightness|");
  const auto& submenu = NormalizeBrightnessMenuItems();
  for (size_t i = 2; i < submenu.size(); ++i) EXPECT_EQ(submenu[i].Tag, std::stoi(submenu[i].Caption));

  const TTrayMenuChecks checks = GetTrayMenuChecks(true, false, true, 40);
  EXPECT_TRUE(checks.VisibleCalendar);
  EXPECT_FALSE(checks.VisibleCalendarBack);
  EXPECT_STREQ(submenu[checks.CheckedBrightnessItem].Caption, "40");
  // Levels the submenu lacks, normalisation off, and level 0 all show "None", not the separator.
  EXPECT_EQ(GetTrayMenuChecks(false, true, true, 35).CheckedBrightnessItem, 0u);
  EXPECT_EQ(GetTrayMenuChecks(false, true, false, 40).CheckedBrightnessItem, 0u);
  EXPECT_EQ(GetTrayMenuChecks(false, true, true, 0).CheckedBrightnessItem, 0u);
}

TEST(TrayMenuTest, BrightnessClicksAndMouseEvents) {
  const auto& submenu = NormalizeBrightnessMenuItems();
  EXPECT_EQ(DecideNormalizeBrightnessClick(submenu[0]).Action, TNormalizeMenuAction::SwitchOff);
  EXPECT_EQ(DecideNormalizeBrightnessClick(submenu[1]).Action, TNormalizeMenuAction::Nothing);
  const TNormalizeMenuChoice forty = DecideNormalizeBrightnessClick(submenu[6]);
  EXPECT_EQ(forty.Action, TNormalizeMenuAction::SelectLevel);
  EXPECT_EQ(forty.Level, 40);

  EXPECT_EQ(GetTrayMouseAction(514), TTrayMouseAction::ShowMainWindow);
  EXPECT_EQ(GetTrayMouseAction(517), TTrayMouseAction::PopupMenu);
  EXPECT_EQ(GetTrayMouseAction(516), TTrayMouseAction::Ignore);
}

}  // namespace
