#include "core/WindowMessages.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowMessagesTest, SettingsChangeReloadsRedrawsOrLeavesAlone) {
  EXPECT_EQ(ClassifyMainWindowMessage(1124), TMainWindowMessage::TrayCallback);
  EXPECT_EQ(ClassifyMainWindowMessage(16), TMainWindowMessage::Other);

  TSettingsChangeInput input;
  input.ScreenWidth = input.FittedScreenWidth = 1280;
  input.ScreenHeight = input.FittedScreenHeight = 1024;
  input.WorkArea = {0, 0, 1280, 1004};
  input.DesktopMargin = 20;
  input.CalendarWorkArea = {20, 20, 1260, 984};
  EXPECT_EQ(DecideSettingsChange(input), TSettingsChangeAction::Nothing);
  input.WorkArea.Bottom = 990;  // the task bar grew
  EXPECT_EQ(DecideSettingsChange(input), TSettingsChangeAction::Redraw);
  input.ScreenHeight = 1080;  // a new resolution reloads, whatever the work area says
  EXPECT_EQ(DecideSettingsChange(input), TSettingsChangeAction::Reload);
}

}  // namespace
