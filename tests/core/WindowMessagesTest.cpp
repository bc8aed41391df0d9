#include "core/control/WindowMessages.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowMessagesTest, ClassifiesTheMainWindowsOwnMessages) {
  EXPECT_EQ(ClassifyMainWindowMessage(1124), TMainWindowMessage::TrayCallback);
  EXPECT_EQ(ClassifyMainWindowMessage(786), TMainWindowMessage::Hotkey);
  EXPECT_EQ(ClassifyMainWindowMessage(126), TMainWindowMessage::DisplayChange);
  EXPECT_EQ(ClassifyMainWindowMessage(16), TMainWindowMessage::Other);
}

}  // namespace
