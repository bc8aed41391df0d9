// The main window's own commands seen from outside: calendar options that
// redraw the wallpaper, the help link, and the keyboard.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "ProgramHarness.h"
#include "resources/resource.h"

namespace {

// Start-up ends with the program setting its own controls, and it answers
// messages on the way (while it talks to the notification area). Once a
// redraw sent from here composes and fits the current picture (the skew label
// then tells its skew), commands reach a program that is ready for them.
bool WaitUntilReady(HWND window) {
  return WaitUntil([&] {
    SendLinkClick(window, IDC_REDRAW_WALLPAPER_LABEL);
    return ControlText(window, IDC_CURRENT_SKEW_LABEL).rfind("(Current full skew", 0) == 0;
  }, 30000);
}

// The program shown, with one grey picture current and the calendar on.
class MainWindowTest : public ::testing::Test {
 protected:
  void Start() {
    const std::string pictures = WriteUniformPictures(program_, {0x808080}, 160, 128);
    program_.WriteFile("Muralotrope.ini", OptionsFileText(QuietSections(pictures + "a.bmp", true), pictures));
    ASSERT_TRUE(program_.Start("ShowOnStart"));
    window_ = program_.WaitForMainWindow(30000);
    ASSERT_NE(window_, nullptr);
    ASSERT_TRUE(WaitUntilReady(window_));
  }

  TProgramUnderTest program_;
  HWND window_ = nullptr;
};

TEST_F(MainWindowTest, ADesktopMarginChangeRedrawsTheCalendarInTheNewArea) {
  ASSERT_NO_FATAL_FAILURE(Start());
  // After the redraws of the start the wallpaper holds today's calendar and no tick paints it again.
  const TBmpPixels before = ReadBmpPixels(WallpaperBmpPath());
  ASSERT_FALSE(before.Empty());
  ASSERT_TRUE(std::any_of(before.Pixels.begin(), before.Pixels.end(), [](uint32_t p) { return p != 0x808080; }))
      << "no calendar on the wallpaper";
  // The calendar's place is a fraction of the work area less the margin: a wider margin moves it.
  ASSERT_TRUE(SelectComboText(window_, IDC_DESKTOP_MARGIN_COMBOBOX, "50"));
  const TBmpPixels after = ReadBmpPixels(WallpaperBmpPath());
  ASSERT_FALSE(after.Empty());
  EXPECT_TRUE(before.Pixels != after.Pixels) << "the calendar stayed where it was";
}

// The program folder of a test holds no help: the Help link says so as every
// failed command does, in the error window.
TEST_F(MainWindowTest, HelpThatCannotBeOpenedIsReported) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_FALSE(program_.FileExists("Help.html"));
  ASSERT_TRUE(ClickLink(window_, IDC_HELP_LABEL));
  HWND error = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    error = program_.FindTopWindow("Error", "#32770");
    return error && IsWindowVisible(error);
  }, 20000));
  char memo[4096] = {};
  GetDlgItemTextA(error, IDC_ERROR_MEMO, memo, sizeof memo);
  EXPECT_NE(std::string(memo).find("Help.html"), std::string::npos) << memo;
  PostMessageA(error, WM_COMMAND, MAKEWPARAM(IDC_ERROR_OKAY, BN_CLICKED), 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(error); }, 20000));
}

// Every link of every page can be reached with the Tab key.
TEST_F(MainWindowTest, EveryLinkIsATabStop) {
  ASSERT_NO_FATAL_FAILURE(Start());
  struct TLinks {
    int Count = 0;
    std::string NotTabStops;
  } links;
  EnumChildWindows(
      window_,
      [](HWND child, LPARAM data) -> BOOL {
        auto* found = reinterpret_cast<TLinks*>(data);
        char kind[32] = {};
        GetClassNameA(child, kind, sizeof kind);
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        // A link is a static that notifies its clicks; the colour panels draw themselves.
        if (_stricmp(kind, "Static") != 0 || !(style & SS_NOTIFY) || (style & SS_TYPEMASK) == SS_OWNERDRAW) return TRUE;
        ++found->Count;
        if (!(style & WS_TABSTOP)) found->NotTabStops += " \"" + TextOf(child) + "\"";
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&links));
  EXPECT_GE(links.Count, 25);
  EXPECT_EQ(links.NotTabStops, "");
}

// Ctrl+Q, as the Close link's hint promises, closes the program for real
// (closing would otherwise hide it) and saves the options.
TEST_F(MainWindowTest, CtrlQClosesTheProgramLikeTheCloseLink) {
  ASSERT_NO_FATAL_FAILURE(Start());
  const std::string before = program_.ReadFile("Muralotrope.ini");
  // The keys go to the window in front, as the user's would.
  ASSERT_TRUE(WaitUntil([&] {
    SetForegroundWindow(window_);
    return GetForegroundWindow() == window_;
  }, 10000));
  INPUT keys[4] = {};
  const WORD sequence[4][2] = {{VK_CONTROL, 0}, {'Q', 0}, {'Q', KEYEVENTF_KEYUP}, {VK_CONTROL, KEYEVENTF_KEYUP}};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = sequence[i][0];
    keys[i].ki.dwFlags = sequence[i][1];
  }
  ASSERT_EQ(SendInput(4, keys, sizeof(INPUT)), 4u);
  EXPECT_EQ(program_.WaitForExit(20000), 0);
  const std::string after = program_.ReadFile("Muralotrope.ini");
  EXPECT_NE(after, before);
  EXPECT_NE(after.find("XPos="), std::string::npos) << after;
}

}  // namespace
