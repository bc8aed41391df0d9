// A list in which no picture can be read: it is tried once, the program says
// so, and it is left alone until the user acts. (Stepping over one picture
// that cannot be read belongs to the acceptance run.)
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "ProgramHarness.h"
#include "platform/LocalTime.h"
#include "resources/resource.h"

namespace {

constexpr DWORD kWaitMs = 30000;
const char* const kNotAPicture = "This file only has the name of a picture.";

class NavigationTest : public ::testing::Test {
 protected:
  // Three files that only have the names of pictures, no current picture, and
  // automatic changes on: the first tick goes through the list.
  void Start() {
    pictures_ = WriteUniformPictures(program_, {0, 0, 0});
    for (size_t i = 0; i < 3; ++i) WriteWholeFile(Picture(i), kNotAPicture);
    std::string sections = QuietSections("");
    sections.replace(sections.find("IsAutoChange=FALSE"), 18, "IsAutoChange=TRUE");
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

TEST_F(NavigationTest, AListOfUnreadablePicturesIsTriedOnceAndSaysSo) {
  ASSERT_NO_FATAL_FAILURE(Start());
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
  const double lastChange = StoredLastChange();
  EXPECT_LT(lastChange, saidSo + 1.5 / 86400);
  EXPECT_GT(lastChange, saidSo - 60.0 / 86400);

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
