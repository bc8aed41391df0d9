#include "core/control/Hotkeys.h"

#include <gtest/gtest.h>

namespace {

TEST(HotkeysTest, LetterRuleAndBindings) {
  std::string log;
  RegisterHotkeys(GetHotkeyLetter("W"), [&](int id, unsigned modifiers, unsigned key) {
    log += std::to_string(id) + "/" + std::to_string(modifiers) + "/" + std::to_string(key) + " ";
  });
  EXPECT_EQ(log, "100/6/87 101/3/87 102/5/87 ");

  EXPECT_EQ(GetHotkeyCommand(101), THotkeyCommand::Previous);
  EXPECT_EQ(GetHotkeyCommand(102), THotkeyCommand::Random);
  EXPECT_FALSE(GetHotkeyCommand(103));

  EXPECT_EQ(GetHotkeyLetter("Zulu"), 'Z');
  EXPECT_EQ(GetHotkeyLetter("q"), 'Q');
  EXPECT_EQ(GetHotkeyLetter(""), 'W');
  EXPECT_EQ(GetHotkeyLetter("1"), 'W');
}

TEST(HotkeysTest, CtrlQAloneClosesTheProgram) {
  EXPECT_TRUE(IsCloseProgramKey('Q', true, false, false));
  EXPECT_FALSE(IsCloseProgramKey('Q', false, false, false));
  EXPECT_FALSE(IsCloseProgramKey('Q', true, true, false));   // Ctrl+Alt is AltGr on many keyboards
  EXPECT_FALSE(IsCloseProgramKey('Q', true, false, true));
  EXPECT_FALSE(IsCloseProgramKey('W', true, false, false));
}

}  // namespace
