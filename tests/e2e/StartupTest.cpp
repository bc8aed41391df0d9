// Start-up, single instance, install mode and closing, seen from outside.
#include <gtest/gtest.h>

#include "ProgramHarness.h"
#include "resources/resource.h"

namespace {

// One active directory, so that start-up does not ask for a first one.
std::string OptionsWithOneDirectory(const std::string& folder) {
  return "[DirectoryList]\r\nCount=1\r\nTitle0=" + folder + "\r\nActive0=TRUE\r\nRecurs0=FALSE\r\n";
}

TEST(StartupTest, ShowOnStartInAnyCaseShowsTheWindowOtherwiseItStartsHidden) {
  for (const char* argument : {"ShowOnStart", "sHOWonSTART", "", "Other"}) {
    TProgramUnderTest program;
    program.WriteFile("Muralotrope.ini", OptionsWithOneDirectory(program.Folder()));
    ASSERT_TRUE(program.Start(argument));
    HWND window = program.WaitForTopWindow("Muralotrope", 20000, "#32770");
    ASSERT_NE(window, nullptr) << argument;
    const bool shouldShow = std::string(argument) == "ShowOnStart" || std::string(argument) == "sHOWonSTART";
    const auto shownAsAsked = [&] { return (IsWindowVisible(window) != FALSE) == shouldShow; };
    const auto loaded = [&] {
      return ControlText(window, IDC_LOADED_PICTURES_COUNT_LABEL) == LoadedPicturesCountText(0);
    };
    // Hidden from the first look until start-up has loaded the pictures; shown by then.
    bool hiddenThroughout = true;
    EXPECT_TRUE(WaitUntil(
        [&] {
          hiddenThroughout = hiddenThroughout && (shouldShow || shownAsAsked());
          return loaded();
        },
        20000))
        << "argument '" << argument << "'";
    EXPECT_TRUE(hiddenThroughout) << "argument '" << argument << "'";
    EXPECT_TRUE(WaitUntil(shownAsAsked, 20000)) << "argument '" << argument << "'";
    // And it stays so over the first timer ticks.
    EXPECT_TRUE(HoldsThroughout(shownAsAsked, 3000)) << "argument '" << argument << "'";
  }
}

TEST(StartupTest, SecondInstanceShowsTheFirstsHiddenWindowAndExitsQuietly) {
  TProgramUnderTest first;
  first.WriteFile("Muralotrope.ini", OptionsWithOneDirectory(WriteUniformPictures(first, {0x336699})));
  ASSERT_TRUE(first.Start());
  HWND window = first.WaitForMainWindow(20000);
  ASSERT_NE(window, nullptr);
  // Started without "ShowOnStart", the first is hidden in the tray once its pictures are loaded.
  ASSERT_TRUE(WaitUntil(
      [&] { return ControlText(window, IDC_LOADED_PICTURES_COUNT_LABEL) == LoadedPicturesCountText(1); }, 20000));
  ASSERT_FALSE(IsWindowVisible(window));

  TProgramUnderTest second;
  ASSERT_TRUE(second.Start());
  EXPECT_EQ(second.WaitForExit(20000), 0);
  EXPECT_EQ(second.FindTopWindow("Muralotrope"), nullptr);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, 10000)) << "the first shows its window";
  EXPECT_TRUE(first.IsRunning());
}

TEST(StartupTest, InstallFileNameOrUninstallArgumentSelectTheInstallWindow) {
  {
    TProgramUnderTest program("iNSTALL.exe");
    ASSERT_TRUE(program.Start("ShowOnStart"));
    EXPECT_NE(program.WaitForTopWindow("Install Muralotrope", 20000), nullptr);
    EXPECT_EQ(program.FindTopWindow("Muralotrope"), nullptr);
  }
  {
    TProgramUnderTest program;
    ASSERT_TRUE(program.Start("/uNINSTALL"));
    EXPECT_NE(program.WaitForTopWindow("Uninstall Muralotrope", 20000), nullptr);
    EXPECT_EQ(program.FindTopWindow("Muralotrope"), nullptr);
  }
}

TEST(StartupTest, CloseHidesWithoutSavingWhileHideOnCloseIsCheckedAndCloseLinkSaves) {
  TProgramUnderTest program;
  program.WriteFile("Muralotrope.ini", OptionsWithOneDirectory(program.Folder()));
  ASSERT_TRUE(program.Start("ShowOnStart"));
  HWND window = program.WaitForTopWindow("Muralotrope", 20000, "#32770");
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, 5000));
  const std::string before = program.ReadFile("Muralotrope.ini");

  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }, 5000));
  EXPECT_TRUE(program.IsRunning());
  EXPECT_EQ(program.ReadFile("Muralotrope.ini"), before);

  HWND closeLink = TProgramUnderTest::FindControl(window, IDC_CLOSE_PROGRAM_LABEL);
  ASSERT_NE(closeLink, nullptr);
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_CLOSE_PROGRAM_LABEL, STN_CLICKED), reinterpret_cast<LPARAM>(closeLink));
  EXPECT_EQ(program.WaitForExit(20000), 0);
  EXPECT_NE(program.ReadFile("Muralotrope.ini").find("[Main]"), std::string::npos);
}

}  // namespace
