// The running program driven from outside its window: global hotkeys, a
// settings change, the tray's brightness menu, the end of the session and the
// tray menu's Close.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ProgramHarness.h"
#include "app/main/TrayMenu.h"
#include "resources/resource.h"

namespace {

constexpr DWORD kFirstWindowMs = 30000;
constexpr DWORD kActionMs = 20000;
constexpr uint32_t kRed = 0xC81E1E, kGreen = 0x1EC81E, kBlue = 0x1E1EC8;

// The program started shown in a fresh folder of its own with three pictures
// ("a.bmp", "b.bmp", "c.bmp"), "a.bmp" current and the hotkeys on "W". No
// change is due at start: automatic changes, the calendar and the broadcast are off.
class ControlE2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string pictures = WriteUniformPictures(program_, {kRed, kGreen, kBlue});
    program_.WriteFile("Muralotrope.ini",
                       OptionsFileText(QuietSections(pictures + "a.bmp", false, "Hotkey=W\r\n"), pictures));
    ASSERT_TRUE(program_.Start("ShowOnStart"));
    window_ = program_.WaitForMainWindow(kFirstWindowMs);
    ASSERT_NE(window_, nullptr);
    ASSERT_TRUE(WaitForStartupEnd(window_, pictures + "a.bmp", kActionMs));
  }

  // Waits until the start-up has loaded the three picture names.
  bool WaitForPictures() const {
    return WaitUntil(
        [&] { return ControlText(window_, IDC_LOADED_PICTURES_COUNT_LABEL) == LoadedPicturesCountText(3); },
        kActionMs);
  }

  // Waits until the options load has registered the hotkeys on "W".
  static bool WaitForHotkeys() {
    return WaitUntil([] { return !IsHotkeyFree(MOD_CONTROL | MOD_SHIFT, 'W'); }, kActionMs);
  }

  bool HasExited(DWORD milliseconds = kActionMs) { return program_.WaitForExit(milliseconds) != -1; }

  // The current-picture label names the picture in quotes.
  bool ShowsPicture(const char* name) const {
    return ControlText(window_, IDC_LAST_PICTURE_LABEL).find(std::string("\"") + name + "\"") != std::string::npos;
  }
  bool WaitForPicture(const char* name) const {
    return WaitUntil([&] { return ShowsPicture(name); }, kActionMs);
  }

  TProgramUnderTest program_;
  HWND window_ = nullptr;
};

TEST_F(ControlE2eTest, HotkeysFollowTheChosenLetterAndAreFreedAtExit) {
  ASSERT_TRUE(WaitForHotkeys());
  EXPECT_FALSE(IsHotkeyFree(MOD_CONTROL | MOD_ALT, 'W'));
  EXPECT_FALSE(IsHotkeyFree(MOD_ALT | MOD_SHIFT, 'W'));

  ASSERT_TRUE(SelectComboText(window_, IDC_HOTKEY_COMBOBOX, "Q"));
  EXPECT_FALSE(IsHotkeyFree(MOD_CONTROL | MOD_SHIFT, 'Q'));
  EXPECT_FALSE(IsHotkeyFree(MOD_ALT | MOD_SHIFT, 'Q'));
  EXPECT_TRUE(IsHotkeyFree(MOD_CONTROL | MOD_SHIFT, 'W')) << "the former letter is given up";

  SendMessageA(window_, WM_COMMAND, kTrayMenuFirstId, 0);  // the tray menu's "Close"
  ASSERT_TRUE(HasExited());
  EXPECT_TRUE(IsHotkeyFree(MOD_CONTROL | MOD_SHIFT, 'Q'));
  EXPECT_TRUE(IsHotkeyFree(MOD_CONTROL | MOD_ALT, 'Q'));
}

TEST_F(ControlE2eTest, HotkeyMessagesStepThroughThePictures) {
  ASSERT_TRUE(WaitForPictures());
  ASSERT_TRUE(WaitForPicture("a.bmp")) << ControlText(window_, IDC_LAST_PICTURE_LABEL);

  PostMessageA(window_, WM_HOTKEY, 100, MAKELPARAM(MOD_CONTROL | MOD_SHIFT, 'W'));
  EXPECT_TRUE(WaitForPicture("b.bmp")) << ControlText(window_, IDC_LAST_PICTURE_LABEL);
  PostMessageA(window_, WM_HOTKEY, 101, MAKELPARAM(MOD_CONTROL | MOD_ALT, 'W'));
  EXPECT_TRUE(WaitForPicture("a.bmp")) << ControlText(window_, IDC_LAST_PICTURE_LABEL);

  // Hidden in the tray the hotkeys still work; a random pick composes a wallpaper.
  PostMessageA(window_, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window_); }, kActionMs));
  DeleteFileA(WallpaperBmpPath().c_str());
  PostMessageA(window_, WM_HOTKEY, 102, MAKELPARAM(MOD_ALT | MOD_SHIFT, 'W'));
  EXPECT_TRUE(WaitUntil([] { return FileWriteTime(WallpaperBmpPath()) != 0; }, kActionMs));
  EXPECT_TRUE(ShowsPicture("a.bmp") || ShowsPicture("b.bmp") || ShowsPicture("c.bmp"));

  // An identifier that is not one of the three changes nothing.
  const std::string before = ControlText(window_, IDC_LAST_PICTURE_LABEL);
  SendMessageA(window_, WM_HOTKEY, 103, 0);
  EXPECT_EQ(ControlText(window_, IDC_LAST_PICTURE_LABEL), before);
}

TEST_F(ControlE2eTest, SettingsChangeComposesOnlyWhenTheScreenDiffers) {
  ASSERT_TRUE(WaitForPictures());
  DeleteFileA(WallpaperBmpPath().c_str());
  TWallpaperInstallCounter installs;

  // Nothing fitted yet: the first change fits the current picture to the screen.
  SendMessageA(window_, WM_SETTINGCHANGE, 0, 0);
  EXPECT_EQ(installs.Count(), 1);
  EXPECT_EQ(WallpaperCentre(), kRed);

  // The same screen and work area again: nothing is composed.
  SendMessageA(window_, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
  SendMessageA(window_, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("WindowMetrics"));
  EXPECT_EQ(installs.Count(), 1);
}

// The identifier of a "Normalize brightness" submenu item by its caption.
UINT BrightnessMenuId(const char* caption) {
  const auto& items = NormalizeBrightnessMenuItems();
  for (size_t i = 0; i < items.size(); ++i)
    if (std::string(items[i].Caption) == caption) return kBrightnessMenuFirstId + static_cast<UINT>(i);
  return 0;
}

TEST_F(ControlE2eTest, BrightnessMenuSwitchesNormalisationAndComposesOnce) {
  ASSERT_TRUE(WaitForPictures());
  ASSERT_FALSE(IsChecked(window_, IDC_USE_NORMALIZE_CHECKBOX));
  TWallpaperInstallCounter installs;

  // "a.bmp" is 200 at its brightest everywhere: level 40 gives the factor
  // 0.4 / (200 / 255) = 0.51, which balanced scaling applies to every channel.
  SendMessageA(window_, WM_COMMAND, BrightnessMenuId("40"), 0);
  EXPECT_EQ(installs.Count(), 1) << "the switch and the level are composed once";
  EXPECT_TRUE(IsChecked(window_, IDC_USE_NORMALIZE_CHECKBOX));
  EXPECT_EQ(ControlText(window_, IDC_NORMALIZE_LEVEL_COMBOBOX), "40");
  EXPECT_EQ(ControlText(window_, IDC_APPLIED_NORM_FACTOR_LABEL), "(Applied normalization factor 51)");
  EXPECT_EQ(WallpaperCentre(), 0x660F0Fu) << std::hex << WallpaperCentre();

  SendMessageA(window_, WM_COMMAND, BrightnessMenuId("None"), 0);
  EXPECT_EQ(installs.Count(), 2);
  EXPECT_FALSE(IsChecked(window_, IDC_USE_NORMALIZE_CHECKBOX));
  EXPECT_EQ(ControlText(window_, IDC_NORMALIZE_LEVEL_COMBOBOX), "40") << "the level stays for the next switch-on";
  EXPECT_EQ(WallpaperCentre(), kRed) << std::hex << WallpaperCentre();
  // "None" again: normalisation is already off, so nothing is composed.
  SendMessageA(window_, WM_COMMAND, BrightnessMenuId("None"), 0);
  EXPECT_EQ(installs.Count(), 2);
}

TEST_F(ControlE2eTest, SessionEndMakesTheCloseRealEvenWhenClosingHides) {
  ASSERT_TRUE(WaitForHotkeys());

  // A plain close only hides the window.
  SendMessageA(window_, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(window_));
  EXPECT_FALSE(HasExited(0));

  EXPECT_NE(SendMessageA(window_, WM_QUERYENDSESSION, 0, 0), 0) << "the session may end";
  PostMessageA(window_, WM_CLOSE, 0, 0);
  ASSERT_TRUE(HasExited());
  EXPECT_NE(program_.ReadFile("Muralotrope.ini").find("XPos="), std::string::npos)
      << "the options are saved at the real close";
}

TEST_F(ControlE2eTest, EndOfSessionClosesWithoutCloseRequest) {
  ASSERT_TRUE(WaitForHotkeys());

  // A cancelled end leaves the hiding close as it was.
  SendMessageA(window_, WM_QUERYENDSESSION, 0, 0);
  SendMessageA(window_, WM_ENDSESSION, FALSE, 0);
  SendMessageA(window_, WM_CLOSE, 0, 0);
  EXPECT_FALSE(HasExited(0));

  SendMessageA(window_, WM_QUERYENDSESSION, 0, 0);
  SendMessageA(window_, WM_ENDSESSION, TRUE, 0);
  EXPECT_TRUE(HasExited());
}

}  // namespace
