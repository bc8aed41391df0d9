// A system that gives no temporary folder: the wallpaper is not composed into
// whatever folder happens to be current.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ProgramHarness.h"
#include "resources/resource.h"
#include "tests/shared/TooLongTemporaryFolder.h"

namespace {

TEST(TemporaryFolderTest, WithoutOneNoWallpaperIsWrittenIntoTheCurrentFolder) {
  TProgramUnderTest program;
  const std::string pictures = WriteUniformPictures(program, {0xFF0000, 0x00FF00});
  program.WriteFile("Muralotrope.ini", OptionsFileText(QuietSections(pictures + "a.bmp"), pictures));
  // The program inherits a temporary folder longer than any path the system hands out.
  TTooLongTemporaryFolder tooLong;
  const bool started = program.Start("ShowOnStart");
  tooLong.Restore();
  ASSERT_TRUE(started);
  HWND window = program.WaitForMainWindow(30000);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return ControlText(window, IDC_LOADED_PICTURES_COUNT_LABEL) == LoadedPicturesCountText(2); },
                        30000));
  // The program runs in its own folder: that is where a relative path would lead.
  ASSERT_TRUE(SendLinkClick(window, IDC_NEXT_WALLPAPER_LABEL));
  EXPECT_NE(ControlText(window, IDC_LAST_PICTURE_LABEL).find("b.bmp"), std::string::npos);
  EXPECT_FALSE(program.FileExists("Muralotrope_Wallpaper.bmp"));
  EXPECT_FALSE(program.FileExists("Muralotrope_Wallpaper.bmp.part"));
}

}  // namespace
