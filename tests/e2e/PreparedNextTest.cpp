// The real program preparing the next picture in the background: a next picture
// replaced on disk after its preparation shows its new content, closing does not
// wait for a preparation, and a broken next picture changes nothing a user sees on
// a timer change.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ProgramHarness.h"
#include "resources/resource.h"

namespace {

constexpr DWORD kWaitMs = 30000;
constexpr uint32_t kRed = 0xC81E1E, kGreen = 0x1EC81E, kBlue = 0x1E1EC8, kYellow = 0xC8C81E;

// Moves the file's last-write time forward by minutes, beyond any file system's resolution.
bool MoveLastWriteTimeOn(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES | GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  FILETIME written = {};
  bool moved = GetFileTime(file, nullptr, nullptr, &written);
  written.dwHighDateTime += 1;
  moved = moved && SetFileTime(file, nullptr, nullptr, &written);
  CloseHandle(file);
  return moved;
}

class PreparedNextTest : public ::testing::Test {
 protected:
  // Starts shown on the sections with a.bmp current; waits until the names are loaded,
  // which is when the next picture's preparation begins.
  void Start(const std::string& sections, int pictureCount) {
    program_.WriteFile("Muralotrope.ini", OptionsFileText(sections, pictures_));
    window_ = StartShownWithPictures(program_, pictureCount);
    ASSERT_NE(window_, nullptr);
  }
  bool Shows(const std::string& name) const {
    return ControlText(window_, IDC_LAST_PICTURE_LABEL).find('"' + name + '"') != std::string::npos;
  }

  TProgramUnderTest program_;
  std::string pictures_;
  HWND window_ = nullptr;
};

TEST_F(PreparedNextTest, ANextPictureReplacedAfterItsPreparationShowsItsNewContent) {
  pictures_ = WriteUniformPictures(program_, {kRed, kGreen, kBlue});
  ASSERT_NO_FATAL_FAILURE(Start(QuietSections(pictures_ + "a.bmp"), 3));
  ASSERT_TRUE(WaitForStartupEnd(window_, pictures_ + "a.bmp", kWaitMs));
  ASSERT_TRUE(SendLinkClick(window_, IDC_NEXT_WALLPAPER_LABEL));
  ASSERT_TRUE(Shows("b.bmp")) << ControlText(window_, IDC_LAST_PICTURE_LABEL);
  EXPECT_EQ(WallpaperCentre(), kGreen);

  // c, prepared after the change, gets other pixels under the same name and size.
  WriteUniformBmp(pictures_ + "c.bmp", 40, 30, kYellow);
  ASSERT_TRUE(MoveLastWriteTimeOn(pictures_ + "c.bmp"));
  ASSERT_TRUE(SendLinkClick(window_, IDC_NEXT_WALLPAPER_LABEL));
  ASSERT_TRUE(Shows("c.bmp")) << ControlText(window_, IDC_LAST_PICTURE_LABEL);
  EXPECT_EQ(WallpaperCentre(), kYellow) << "the stale preparation was shown";
  ASSERT_TRUE(ClickLink(window_, IDC_CLOSE_PROGRAM_LABEL));
  EXPECT_EQ(program_.WaitForExit(kWaitMs), 0);
}

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
