// The real program composing and installing wallpapers, and broadcasting, driven
// through its windows in a fresh program folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ProgramHarness.h"
#include "core/composition/WallpaperBroadcast.h"
#include "platform/Registry.h"
#include "resources/resource.h"

namespace {

constexpr DWORD kActionMs = 20000;
constexpr uint32_t kGrey = 0x808080;

std::string BroadcastValue() {
  return GetRegistryText(HKEY_CURRENT_USER, "Software\\Muralotrope", kBroadcastRegistryValueName);
}

// The program started in a fresh folder whose options name one picture as current.
class CompositionE2ETest : public ::testing::Test {
 protected:
  void SetUp() override {
    picture_ = program_.PathInFolder("picture.bmp");
    WriteUniformBmp(picture_, 160, 128, kGrey);
    DeleteFileA(WallpaperBmpPath().c_str());
  }

  void TearDown() override {
    // The close link ends the program for real whatever the hide-on-close option says.
    if (window_ && ClickLink(window_, IDC_CLOSE_PROGRAM_LABEL)) program_.WaitForExit(kActionMs);
  }

  // Starts shown and waits until the picture names are loaded.
  void Start(const std::string& currentPicture, int pictureCount) {
    program_.WriteFile("Muralotrope.ini", "[Wallpaper]\r\nIsAutoChange=FALSE\r\nLastFileTitle=" + currentPicture +
                                              "\r\n" + OptionsFileText("", program_.Folder()));
    window_ = StartShownWithPictures(program_, pictureCount);
    ASSERT_NE(window_, nullptr);
    ASSERT_TRUE(WaitForStartupEnd(window_, currentPicture, kActionMs));
  }

  TProgramUnderTest program_;
  std::string picture_;
  HWND window_ = nullptr;
};

TEST_F(CompositionE2ETest, RedrawWritesAScreenSizedBmpAndInstallsIt) {
  ASSERT_NO_FATAL_FAILURE(Start(picture_, 1));
  ASSERT_TRUE(SendLinkClick(window_, IDC_REDRAW_WALLPAPER_LABEL));
  const TBmpPixels bmp = ReadBmpPixels(WallpaperBmpPath());
  EXPECT_EQ(bmp.Width, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(bmp.Height, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(WallpaperCentre(), kGrey);
  const std::string installed = GetRegistryText(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper");
  EXPECT_EQ(_stricmp(installed.c_str(), WallpaperBmpPath().c_str()), 0) << installed;
  EXPECT_EQ(ControlText(window_, IDC_CURRENT_SKEW_LABEL).rfind("(Current full skew ", 0), 0u);
  EXPECT_EQ(ControlText(window_, IDC_APPLIED_NORM_FACTOR_LABEL), "(Applied normalization factor 0)");

  // A gamma change fits the picture anew: the grey lightens.
  ASSERT_TRUE(SelectComboText(window_, IDC_GAMMA_COMBOBOX, "50"));
  EXPECT_GT(WallpaperCentre() & 0xFF, 0xA0u);
  // Normalising reports its factor: 0.5 / (128 / 255) = 0.996.
  ASSERT_TRUE(ClickButton(window_, IDC_USE_NORMALIZE_CHECKBOX));
  EXPECT_EQ(ControlText(window_, IDC_APPLIED_NORM_FACTOR_LABEL), "(Applied normalization factor 99)");
}

TEST_F(CompositionE2ETest, APictureThatDoesNotDecodeLeavesTheOldWallpaper) {
  const std::string broken = program_.PathInFolder("broken.jpg");
  WriteWholeFile(broken, "This is not a picture.\r\n");
  WriteWholeFile(WallpaperBmpPath(), "the old wallpaper");
  ASSERT_NO_FATAL_FAILURE(Start(broken, 2));
  ASSERT_TRUE(SendLinkClick(window_, IDC_REDRAW_WALLPAPER_LABEL));
  EXPECT_EQ(ReadWholeFile(WallpaperBmpPath()), "the old wallpaper");
  EXPECT_EQ(ControlText(window_, IDC_CURRENT_SKEW_LABEL), "(No current skew available)");
  HWND errorWindow = program_.FindTopWindow("Error", "#32770");
  EXPECT_TRUE(errorWindow == nullptr || !IsWindowVisible(errorWindow));
  // The failed load dropped the broken title, so there is no title left to copy...
  ASSERT_TRUE(ClickLink(window_, IDC_CLIP_PICTURE_TITLE_LABEL));
  HWND box = program_.WaitForMessageBox("There is no text to copy to clipboard.", kActionMs);
  ASSERT_NE(box, nullptr);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kActionMs));
  // Nor a picture to view.
  ASSERT_TRUE(ClickLink(window_, IDC_VIEW_PICTURE_LABEL));
  box = program_.WaitForMessageBox("The name of the file is empty.", kActionMs);
  ASSERT_NE(box, nullptr);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kActionMs));
}

TEST_F(CompositionE2ETest, BroadcastPublishesAPictureAndSwitchingItOffEmptiesTheValue) {
  SetRegistryText(HKEY_CURRENT_USER, "Software\\Muralotrope", kBroadcastRegistryValueName, "stale");
  ASSERT_NO_FATAL_FAILURE(Start(picture_, 1));
  EXPECT_EQ(ControlText(window_, IDC_BROADCAST_HELP_LABEL), kBroadcastHelpText);
  ASSERT_TRUE(SendLinkClick(window_, IDC_BROADCAST_NOW_LABEL));
  // The list's only picture.
  const std::string published = BroadcastValue();
  EXPECT_EQ(_stricmp(published.c_str(), picture_.c_str()), 0) << published;

  SetRegistryText(HKEY_CURRENT_USER, "Software\\Muralotrope", kBroadcastRegistryValueName, "stale");
  if (!IsChecked(window_, IDC_IS_BROADCAST_CHECKBOX)) {
    ASSERT_TRUE(ClickButton(window_, IDC_IS_BROADCAST_CHECKBOX));
  }
  ASSERT_EQ(BroadcastValue(), "stale");
  ASSERT_TRUE(ClickButton(window_, IDC_IS_BROADCAST_CHECKBOX));
  EXPECT_EQ(BroadcastValue(), "");
}

}  // namespace
