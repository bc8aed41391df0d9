// The calendar pages of the running program: the controls made from the skin
// table, and the "Set position on wallpaper" command with its window.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "ProgramHarness.h"
#include "resources/resource.h"

namespace {

constexpr int kSkinRows = 91;
constexpr uint32_t kRed = 0xC81E1E;

std::string OptionsWithOneDirectory(const std::string& folder) {
  return "[DirectoryList]\r\nCount=1\r\nTitle0=" + folder + "\r\nActive0=TRUE\r\nRecurs0=FALSE\r\n";
}

class CalendarPagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    program_.WriteFile("Muralotrope.ini", OptionsWithOneDirectory(program_.Folder()));
    ASSERT_TRUE(program_.Start("ShowOnStart"));
    window_ = program_.WaitForTopWindow("Muralotrope", 20000, "#32770");
    ASSERT_NE(window_, nullptr);
    // Shown only after every control is made.
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window_) != FALSE; }, 20000));
  }
  HWND Control(int id) const { return TProgramUnderTest::FindControl(window_, id); }

  TProgramUnderTest program_;
  HWND window_ = nullptr;
};

TEST_F(CalendarPagesTest, EverySkinRowHasAControlAndFontListsHoldEachFontOnce) {
  for (int row = 0; row < kSkinRows; ++row) EXPECT_NE(Control(IDC_CALENDAR_SKIN_FIRST + row), nullptr) << row;
  EXPECT_EQ(Control(IDC_CALENDAR_SKIN_FIRST + kSkinRows), nullptr);
  // Row 38 is the year's font list.
  HWND fonts = Control(IDC_CALENDAR_SKIN_FIRST + 37);
  ASSERT_NE(fonts, nullptr);
  const int count = static_cast<int>(SendMessageA(fonts, CB_GETCOUNT, 0, 0));
  EXPECT_GT(count, 1);
  for (int i = 0; i < count; ++i) {
    // The wide messages, which are carried across processes whole.
    wchar_t name[LF_FACESIZE + 1] = {};
    SendMessageW(fonts, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(name));
    EXPECT_EQ(SendMessageW(fonts, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name)), i);
  }
  // Row 29, the first frame thickness, offers 1 to 99; the default is 2.
  HWND thickness = Control(IDC_CALENDAR_SKIN_FIRST + 28);
  EXPECT_EQ(SendMessageA(thickness, CB_GETCOUNT, 0, 0), 99);
  EXPECT_EQ(SendMessageA(thickness, CB_GETCURSEL, 0, 0), 1);
}

// Pixels of the wallpaper's top-left quarter that are not the picture's red.
size_t CalendarPixelsTopLeft() {
  const TBmpPixels bmp = ReadBmpPixels(WallpaperBmpPath());
  size_t count = 0;
  for (int y = 0; y < bmp.Height / 2; ++y)
    for (int x = 0; x < bmp.Width / 2; ++x) count += bmp.At(x, y) != kRed;
  return count;
}

TEST(CalendarPositionTest, SetPositionWarnsWhileHiddenTakesTheClickedPlaceAndCancelChangesNothing) {
  TProgramUnderTest program;
  const std::string pictures = WriteUniformPictures(program, {kRed});
  // The calendar starts at the right-hand side, away from the top-left quarter.
  program.WriteFile("Muralotrope.ini",
                    OptionsFileText("[Main]\r\nAutorun=FALSE\r\nHideOnClose=TRUE\r\n[Wallpaper]\r\nIsAutoChange=FALSE\r\n"
                                    "LastFileTitle=" + pictures + "a.bmp\r\n[Calendar]\r\nShow=TRUE\r\n"
                                    "RectLeft=0.7\r\nRectTop=0.15\r\n[BroadcastWallpaperChange]\r\nIsAutoChange=FALSE\r\n",
                                    pictures));
  ASSERT_TRUE(program.Start("ShowOnStart"));
  HWND window = program.WaitForMainWindow(30000);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return ControlText(window, IDC_LOADED_PICTURES_COUNT_LABEL) == LoadedPicturesCountText(1); },
                        20000));
  ASSERT_TRUE(WaitForStartupEnd(window, pictures + "a.bmp", 20000));
  HWND link = TProgramUnderTest::FindControl(window, IDC_CALENDAR_SET_DESKTOP_POSITION_LABEL);
  ASSERT_NE(link, nullptr);
  ASSERT_TRUE(IsChecked(window, IDC_SHOW_CALENDAR_CHECKBOX));
  TWallpaperInstallCounter installs;

  // Hidden by a click on "Show on wallpaper", which redraws without the calendar.
  ASSERT_TRUE(ClickButton(window, IDC_SHOW_CALENDAR_CHECKBOX));
  EXPECT_FALSE(IsChecked(window, IDC_SHOW_CALENDAR_CHECKBOX));
  EXPECT_EQ(installs.Count(), 1);
  ASSERT_TRUE(ClickLink(window, IDC_CALENDAR_SET_DESKTOP_POSITION_LABEL));
  HWND warning = program.WaitForMessageBox("The calendar is not displayed on the wallpaper.", 20000);
  ASSERT_NE(warning, nullptr);
  HWND position = program.FindTopWindow("Desktop position");
  EXPECT_TRUE(position == nullptr || !IsWindowVisible(position));
  PostMessageA(warning, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(warning); }, 20000));

  ASSERT_TRUE(ClickButton(window, IDC_SHOW_CALENDAR_CHECKBOX));
  EXPECT_EQ(installs.Count(), 2);
  EXPECT_EQ(CalendarPixelsTopLeft(), 0u) << "the calendar is at its stored place";
  ASSERT_TRUE(ClickLink(window, IDC_CALENDAR_SET_DESKTOP_POSITION_LABEL));
  position = program.WaitForTopWindow("Desktop position", 20000);
  ASSERT_NE(position, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(position) != FALSE; }, 20000));
  EXPECT_FALSE(IsWindowEnabled(window));  // modal over the main window
  HWND preview = TProgramUnderTest::FindControl(position, IDC_DESKTOP_POSITION_PAINTBOX);
  ASSERT_NE(preview, nullptr);
  RECT area = {};
  GetClientRect(preview, &area);
  EXPECT_EQ(area.right, 200);  // a wide work area fills the panel's width
  // A click near the top-left corner puts the calendar into the corner.
  PostMessageA(preview, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  PostMessageA(preview, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(position); }, 20000));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(window) != FALSE; }, 20000));
  EXPECT_TRUE(WaitUntil([&] { return installs.Count() == 3; }, 20000)) << "the wallpaper is redrawn";
  const size_t moved = CalendarPixelsTopLeft();
  EXPECT_GT(moved, 1000u) << "the calendar was painted at its new place";
  const std::string redrawn = ReadWholeFile(WallpaperBmpPath());

  // Again, the mouse elsewhere, then cancelled: no redraw and the place stays.
  ASSERT_TRUE(ClickLink(window, IDC_CALENDAR_SET_DESKTOP_POSITION_LABEL));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(position) != FALSE; }, 20000));
  PostMessageA(preview, WM_MOUSEMOVE, 0, MAKELPARAM(150, 120));
  PostMessageA(position, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(position); }, 20000));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(window) != FALSE; }, 20000));
  ASSERT_TRUE(SendLinkClick(window, IDC_REDRAW_WALLPAPER_LABEL));  // a later redraw keeps the place
  EXPECT_EQ(installs.Count(), 4);
  EXPECT_TRUE(ReadWholeFile(WallpaperBmpPath()) == redrawn) << "the calendar moved";

  ASSERT_TRUE(ClickLink(window, IDC_CLOSE_PROGRAM_LABEL));
  ASSERT_EQ(program.WaitForExit(20000), 0);
  const std::string options = program.ReadFile("Muralotrope.ini");
  EXPECT_NE(options.find("\r\nRectLeft=0\r\nRectTop=0\r\n"), std::string::npos) << options;
}

// Types a name into the skin dialog and confirms it.
void AnswerSkinDialog(const TProgramUnderTest& program, const std::string& typed) {
  HWND dialog = program.WaitForTopWindow("Load calendar skin", 20000);
  ASSERT_NE(dialog, nullptr);
  // The file name field: a combo box with an edit in the explorer-style dialog, an edit in the old one.
  HWND name = GetDlgItem(dialog, 0x47C);
  if (!name) name = GetDlgItem(dialog, 0x480);
  ASSERT_NE(name, nullptr);
  SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

// A skin name typed without its extension is the ".wps" file of that name; a
// name with no such file is reported and changes nothing.
TEST_F(CalendarPagesTest, LoadSkinTakesANameTypedWithoutItsExtension) {
  HWND effect = Control(IDC_CALENDAR_SKIN_FIRST);  // row 1: the text effect list
  ASSERT_NE(effect, nullptr);
  ASSERT_EQ(TextOf(effect), "Outline");
  program_.WriteFile("CalendarSkins\\myskin.wps", "[CalendarSkin]\r\nTextEffect=None\r\n");
  ASSERT_TRUE(ClickLink(window_, IDC_CALENDAR_LOAD_SKIN_LABEL));
  ASSERT_NO_FATAL_FAILURE(AnswerSkinDialog(program_, "myskin"));
  EXPECT_TRUE(WaitUntil([&] { return TextOf(effect) == "None"; }, 20000)) << "the skin was not loaded";

  SendMessageA(effect, CB_SETCURSEL, 2, 0);  // "Outline" again
  ASSERT_TRUE(ClickLink(window_, IDC_CALENDAR_LOAD_SKIN_LABEL));
  ASSERT_NO_FATAL_FAILURE(AnswerSkinDialog(program_, "nosuchskin"));
  HWND error = nullptr;
  EXPECT_TRUE(WaitUntil([&] {
    error = program_.FindTopWindow("Error", "#32770");
    return error && IsWindowVisible(error);
  }, 20000));
  EXPECT_EQ(TextOf(effect), "Outline");
  if (error) PostMessageA(error, WM_COMMAND, MAKEWPARAM(IDC_ERROR_OKAY, BN_CLICKED), 0);
}

}  // namespace
