// Moving through the pictures when some of them cannot be read: Previous and
// Next step over them the way they were asked, and a list in which nothing can
// be read is tried once and then left alone until the user acts.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "ProgramHarness.h"
#include "platform/LocalTime.h"
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

constexpr DWORD kWaitMs = 30000;
const char* const kNotAPicture = "This file only has the name of a picture.";

class NavigationTest : public ::testing::Test {
 protected:
  // Writes the pictures (a.bmp, b.bmp, ...: a colour, or 0 for a file that is no
  // picture) and starts the program on them with the given one current (none
  // when negative) and automatic changes on or off.
  void Start(const std::vector<uint32_t>& colors, int current, bool autoChange) {
    pictures_ = WriteUniformPictures(program_, colors);
    for (size_t i = 0; i < colors.size(); ++i)
      if (colors[i] == 0) WriteWholeFile(Picture(i), kNotAPicture);
    std::string sections = QuietSections(current >= 0 ? Picture(current) : "");
    if (autoChange) sections.replace(sections.find("IsAutoChange=FALSE"), 18, "IsAutoChange=TRUE");
    program_.WriteFile("Muralotrope.ini", OptionsFileText(sections, pictures_));
    ASSERT_TRUE(program_.Start("ShowOnStart"));
    window_ = program_.WaitForMainWindow(kWaitMs);
    ASSERT_NE(window_, nullptr);
  }
  std::string Picture(size_t index) const { return pictures_ + static_cast<char>('a' + index) + ".bmp"; }
  std::string CountLabel() const { return ControlText(window_, IDC_LOADED_PICTURES_COUNT_LABEL); }
  std::string PictureLabel() const { return ControlText(window_, IDC_LAST_PICTURE_LABEL); }
  bool Shows(const std::string& name) const { return PictureLabel().find('"' + name + '"') != std::string::npos; }
  // "LastAutoChangeTime" of section "Wallpaper" in the options file.
  double StoredLastChange() const {
    std::string text = program_.ReadFile("Muralotrope.ini");
    const size_t key = text.find("LastAutoChangeTime=", text.find("[Wallpaper]"));
    if (key == std::string::npos) return 0;
    std::string value = text.substr(key + 19, text.find('\r', key) - key - 19);
    for (char& c : value)
      if (c == ',') c = '.';
    return std::strtod(value.c_str(), nullptr);
  }
  uint32_t WallpaperCentre() const {
    const TBmpPixels bmp = ReadBmpPixels(WallpaperBmpPath());
    return bmp.Empty() ? 0xFFFFFFFF : bmp.At(bmp.Width / 2, bmp.Height / 2);
  }

  TProgramUnderTest program_;
  std::string pictures_;
  HWND window_ = nullptr;
};

TEST_F(NavigationTest, PreviousAndNextStepOverAPictureThatCannotBeRead) {
  // a and c are pictures, b is not; c is current and nothing changes by itself.
  ASSERT_NO_FATAL_FAILURE(Start({0xC02020, 0, 0x2020C0}, 2, false));
  ASSERT_TRUE(WaitUntilReady(window_));

  // Sent: each command has run when the call returns.
  ASSERT_TRUE(SendLinkClick(window_, IDC_PREVIOUS_WALLPAPER_LABEL));
  EXPECT_TRUE(Shows("a.bmp")) << PictureLabel();
  EXPECT_EQ(WallpaperCentre(), 0xC02020u);
  ASSERT_TRUE(SendLinkClick(window_, IDC_NEXT_WALLPAPER_LABEL));
  EXPECT_TRUE(Shows("c.bmp")) << PictureLabel();
  EXPECT_EQ(WallpaperCentre(), 0x2020C0u);
  // The hotkey for the previous picture does the same.
  SendMessageA(window_, WM_HOTKEY, 101, 0);
  EXPECT_TRUE(Shows("a.bmp")) << PictureLabel();
  // The unreadable picture is reported nowhere: no window besides the main one.
  EXPECT_TRUE(program_.OtherVisibleWindows(window_).empty());
}

TEST_F(NavigationTest, AListOfUnreadablePicturesIsTriedOnceAndSaysSo) {
  // No current picture, automatic changes on: the first tick goes through the list.
  ASSERT_NO_FATAL_FAILURE(Start({0, 0, 0}, -1, true));
  const std::string noneReadable = "There are 3 pictures, none of which could be read";
  ASSERT_TRUE(WaitUntil([&] { return CountLabel() == noneReadable; }, kWaitMs)) << CountLabel();
  const double saidSo = GetLocalDateTime();
  // A timer change reports nothing on the screen.
  EXPECT_TRUE(program_.OtherVisibleWindows(window_).empty());

  // Three ticks pass (nothing is waited for): none of them tries the list again,
  // so the last change keeps the time of the first round.
  const ULONGLONG ticksLater = GetTickCount64() + 3500;
  WaitUntil([&] { return GetTickCount64() >= ticksLater; }, 5000);
  EXPECT_EQ(CountLabel(), noneReadable);
  ASSERT_TRUE(ClickLink(window_, IDC_CLOSE_PROGRAM_LABEL));
  ASSERT_EQ(program_.WaitForExit(kWaitMs), 0);
  EXPECT_LT(StoredLastChange(), saidSo + 1.5 / 86400);

  // Started again, it goes through the list once more; then a command of the
  // user tries again, and b has become a picture meanwhile.
  ASSERT_TRUE(program_.Start("ShowOnStart"));
  window_ = program_.WaitForMainWindow(kWaitMs);
  ASSERT_NE(window_, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return CountLabel() == noneReadable; }, kWaitMs)) << CountLabel();
  WriteUniformBmp(Picture(1), 40, 30, 0x20C020);
  ASSERT_TRUE(SendLinkClick(window_, IDC_NEXT_WALLPAPER_LABEL));
  EXPECT_TRUE(Shows("b.bmp")) << PictureLabel();
  EXPECT_EQ(CountLabel(), LoadedPicturesCountText(3));
  EXPECT_EQ(WallpaperCentre(), 0x20C020u);
}

}  // namespace
