// A system that gives no temporary folder: the wallpaper is not composed into
// whatever folder happens to be current.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ProgramHarness.h"
#include "resources/resource.h"

namespace {

// Sets an environment variable of this process (which a started program
// inherits) until destroyed.
class TEnvironmentOverride {
 public:
  TEnvironmentOverride(const char* name, const std::string& value) : name_(name) {
    char old[32768];
    const DWORD length = GetEnvironmentVariableA(name, old, sizeof old);
    had_ = length > 0 && length < sizeof old;
    if (had_) old_.assign(old, length);
    SetEnvironmentVariableA(name, value.c_str());
  }
  ~TEnvironmentOverride() { SetEnvironmentVariableA(name_, had_ ? old_.c_str() : nullptr); }

 private:
  const char* name_;
  bool had_ = false;
  std::string old_;
};

TEST(TemporaryFolderTest, WithoutOneNoWallpaperIsWrittenIntoTheCurrentFolder) {
  TProgramUnderTest program;
  const std::string pictures = WriteUniformPictures(program, {0xFF0000, 0x00FF00});
  program.WriteFile("Muralotrope.ini", OptionsFileText(QuietSections(pictures + "a.bmp"), pictures));
  {
    // A temporary folder longer than any path the system can hand out.
    const std::string tooLong = "C:\\" + std::string(300, 't');
    TEnvironmentOverride tmp("TMP", tooLong), temp("TEMP", tooLong);
    ASSERT_TRUE(program.Start("ShowOnStart"));
  }
  HWND window = program.WaitForMainWindow(30000);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return ControlText(window, IDC_LOADED_PICTURES_COUNT_LABEL) == LoadedPicturesCountText(2); },
                        30000));
  // The program runs in its own folder: that is where a relative path would lead.
  ASSERT_TRUE(SendLinkClick(window, IDC_NEXT_WALLPAPER_LABEL));
  EXPECT_NE(ControlText(window, IDC_LAST_PICTURE_LABEL).find("b.bmp"), std::string::npos);
  EXPECT_FALSE(program.FileExists("Muralotrope_Wallpaper.bmp"));
  EXPECT_FALSE(program.FileExists("Muralotrope_Wallpaper.bmp.part"));
  program.Kill();
}

}  // namespace
