// The real program preparing the next picture in the background: closing does
// not wait for a preparation, and a broken next picture changes nothing a user
// sees on a timer change.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ProgramHarness.h"
#include "resources/resource.h"

namespace {

constexpr DWORD kWaitMs = 30000;
constexpr uint32_t kRed = 0xC81E1E;

class PreparedNextTest : public ::testing::Test {
 protected:
  // Starts shown on the sections with a.bmp current; waits until the names are loaded,
  // which is when the next picture's preparation begins.
  void Start(const std::string& sections, int pictureCount) {
    program_.WriteFile("Muralotrope.ini", OptionsFileText(sections, pictures_));
    ASSERT_TRUE(program_.Start("ShowOnStart"));
    window_ = program_.WaitForMainWindow(kWaitMs);
    ASSERT_NE(window_, nullptr);
    ASSERT_TRUE(WaitUntil(
        [&] {
          return ControlText(window_, IDC_LOADED_PICTURES_COUNT_LABEL) == LoadedPicturesCountText(pictureCount);
        },
        kWaitMs))
        << ControlText(window_, IDC_LOADED_PICTURES_COUNT_LABEL);
  }
  bool Shows(const std::string& name) const {
    return ControlText(window_, IDC_LAST_PICTURE_LABEL).find('"' + name + '"') != std::string::npos;
  }

  TProgramUnderTest program_;
  std::string pictures_;
  HWND window_ = nullptr;
};

TEST_F(PreparedNextTest, ClosingDuringAPreparationEndsTheProgram) {
  // A 24-megapixel next picture: its preparation outlasts the start by far.
  pictures_ = WriteUniformPictures(program_, {kRed});
  WriteUniformBmp(pictures_ + "b.bmp", 6000, 4000, kRed);
  ASSERT_NO_FATAL_FAILURE(Start(QuietSections(pictures_ + "a.bmp"), 2));
  ASSERT_TRUE(WaitForStartupEnd(window_, pictures_ + "a.bmp", kWaitMs));
  ASSERT_TRUE(ClickLink(window_, IDC_CLOSE_PROGRAM_LABEL));
  EXPECT_EQ(program_.WaitForExit(kWaitMs), 0) << "the program did not end, or ended badly";
  EXPECT_FALSE(program_.IsRunning());
}

TEST_F(PreparedNextTest, ABrokenNextPictureIsSteppedOverSilentlyOnATimerChange) {
  pictures_ = WriteUniformPictures(program_, {kRed, kRed});
  WriteWholeFile(pictures_ + "b.bmp", "This file only has the name of a picture.");
  DeleteFileA(WallpaperBmpPath().c_str());
  // Automatic changes on and the last one long ago: the first tick changes the picture,
  // to the broken b, whose preparation failed unseen; the change steps on to a.
  std::string sections = QuietSections(pictures_ + "a.bmp");
  sections.replace(sections.find("IsAutoChange=FALSE"), 18, "IsAutoChange=TRUE");
  sections.replace(sections.find("LastAutoChangeTime=2958000"), 26, "LastAutoChangeTime=0");
  ASSERT_NO_FATAL_FAILURE(Start(sections, 2));
  ASSERT_TRUE(WaitUntil([] { return WallpaperCentre() == kRed; }, kWaitMs)) << "no timer change composed";
  EXPECT_TRUE(Shows("a.bmp")) << ControlText(window_, IDC_LAST_PICTURE_LABEL);
  EXPECT_EQ(ControlText(window_, IDC_LOADED_PICTURES_COUNT_LABEL), LoadedPicturesCountText(2));
  EXPECT_TRUE(program_.OtherVisibleWindows(window_).empty()) << "a timer change showed a window";
  ASSERT_TRUE(ClickLink(window_, IDC_CLOSE_PROGRAM_LABEL));
  EXPECT_EQ(program_.WaitForExit(kWaitMs), 0);
}

}  // namespace
