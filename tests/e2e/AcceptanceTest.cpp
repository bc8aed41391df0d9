// The whole program as a user meets it: first start, the first wallpaper,
// stepping through the pictures, vanished and broken pictures, calendar
// redraws, the broadcast, options across a restart and the tray.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>

#include "ProgramHarness.h"
#include "app/main/TrayMenu.h"
#include "core/composition/WallpaperBroadcast.h"
#include "core/control/WindowMessages.h"
#include "platform/Registry.h"
#include "resources/resource.h"

namespace {

constexpr DWORD kFirstWindowMs = 30000;
constexpr DWORD kActionMs = 20000;
constexpr uint32_t kRed = 0xC81E1E, kGreen = 0x1EC81E, kBlue = 0x1E1EC8, kYellow = 0xC8C81E;

bool SameText(const std::string& a, const std::string& b) { return _stricmp(a.c_str(), b.c_str()) == 0; }

// The current-picture label names the file in quotes.
bool ShowsPicture(HWND window, const std::string& name) {
  return ControlText(window, IDC_LAST_PICTURE_LABEL).find("\"" + name + "\"") != std::string::npos;
}

std::string InstalledWallpaper() {
  return GetRegistryText(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper");
}

// The shell's folder browser: a dialog of the program with a folder tree.
HWND FindFolderBrowser(const TProgramUnderTest& program, HWND mainWindow) {
  for (HWND window : program.OtherVisibleWindows(mainWindow)) {
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::strcmp(className, "#32770") == 0 && FindWindowExA(window, nullptr, WC_TREEVIEWA, nullptr)) return window;
  }
  return nullptr;
}

// The program started shown on quiet options with uniform pictures a.bmp, b.bmp, ...
// and "a.bmp" current; waits until the picture names are loaded.
class AcceptanceRun : public ::testing::Test {
 protected:
  void StartWith(const std::vector<uint32_t>& colors, bool showCalendar = false, int pictureWidth = 40,
                 int pictureHeight = 30) {
    pictures_ = WriteUniformPictures(program_, colors, pictureWidth, pictureHeight);
    StartOn(QuietSections(pictures_ + "a.bmp", showCalendar), static_cast<int>(colors.size()));
  }

  void StartOn(const std::string& sections, int expectedCount) {
    program_.WriteFile("Muralotrope.ini", OptionsFileText(sections, pictures_));
    window_ = StartShownWithPictures(program_, expectedCount);
    ASSERT_NE(window_, nullptr);
  }

  // Clicks "Redraw wallpaper" until a click composes: clicks made while the
  // program still sets its controls are ignored.
  bool ComposeNow() {
    DeleteFileA(WallpaperBmpPath().c_str());
    const bool composed = WaitUntil([&] {
      SendLinkClick(window_, IDC_REDRAW_WALLPAPER_LABEL);
      return !ReadBmpPixels(WallpaperBmpPath()).Empty();
    }, kActionMs);
    seenInstalls_ = installs_.Count();
    return composed;
  }

  // Waits for the next installed wallpaper, then reads it once: the program
  // shows the picture's name before it composes, and a file being read cannot
  // be replaced.
  bool WaitForNextWallpaper() {
    const bool installed = WaitUntil([&] { return installs_.Count() > seenInstalls_; }, kActionMs);
    seenInstalls_ = installs_.Count();
    return installed;
  }

  // Waits for a wallpaper installed since the last look that shows the picture.
  bool WaitForPicture(const std::string& name, uint32_t color) {
    return WaitUntil(
        [&] {
          if (installs_.Count() == seenInstalls_) return false;
          seenInstalls_ = installs_.Count();
          return ShowsPicture(window_, name) && WallpaperCentre() == color;
        },
        kActionMs);
  }

  TWallpaperInstallCounter installs_;
  int seenInstalls_ = 0;
  TProgramUnderTest program_;
  std::string pictures_;
  HWND window_ = nullptr;
};

TEST(AcceptanceFirstStart, AsksForAFolderOnTheDirectoriesPageAndRunsOnWithAnEmptyListWhenCancelled) {
  TProgramUnderTest program;
  ASSERT_FALSE(program.FileExists("Muralotrope.ini"));
  ASSERT_TRUE(program.Start());  // not asked to show: the question shows the window
  HWND window = program.WaitForMainWindow(kFirstWindowMs);
  ASSERT_NE(window, nullptr);
  HWND browser = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (browser = FindFolderBrowser(program, window)) != nullptr; }, kActionMs));

  EXPECT_TRUE(IsWindowVisible(window));
  HWND list = TProgramUnderTest::FindControl(window, IDC_DIRECTORIES_LISTBOX);
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(IsWindowVisible(list)) << "the Directories page is in front";
  EXPECT_EQ(SendMessageA(TProgramUnderTest::FindControl(window, IDC_WALLPAPER_PAGE_CONTROL), TCM_GETCURSEL, 0, 0), 3);
  EXPECT_EQ(SendMessageA(TProgramUnderTest::FindControl(window, IDC_MAIN_PAGE_CONTROL), TCM_GETCURSEL, 0, 0), 0);

  HWND cancel = GetDlgItem(browser, IDCANCEL);
  ASSERT_NE(cancel, nullptr);
  PostMessageA(browser, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(browser); }, kActionMs));
  EXPECT_TRUE(WaitUntil(
      [&] { return ControlText(window, IDC_LOADED_PICTURES_COUNT_LABEL) == LoadedPicturesCountText(0); }, kActionMs))
      << ControlText(window, IDC_LOADED_PICTURES_COUNT_LABEL);
  EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 0);
  EXPECT_TRUE(IsWindowEnabled(window)) << "the window is usable again";
  EXPECT_TRUE(program.OtherVisibleWindows(window).empty()) << "no error or message window";
  EXPECT_TRUE(program.IsRunning());

  ASSERT_TRUE(ClickLink(window, IDC_CLOSE_PROGRAM_LABEL));
  EXPECT_EQ(program.WaitForExit(kActionMs), 0);
  EXPECT_NE(program.ReadFile("Muralotrope.ini").find("[DirectoryList]"), std::string::npos);
}

TEST_F(AcceptanceRun, TheFirstTickComposesAndInstallsAWallpaperWhenNoneIsCurrent) {
  pictures_ = WriteUniformPictures(program_, {kRed, kGreen});
  DeleteFileA(WallpaperBmpPath().c_str());
  SetRegistryText(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper", "");
  StartOn("[Calendar]\r\nShow=FALSE\r\n[Wallpaper]\r\nIsRandomWallpaper=FALSE\r\n", 2);

  ASSERT_TRUE(WaitForNextWallpaper());
  const TBmpPixels bmp = ReadBmpPixels(WallpaperBmpPath());
  EXPECT_EQ(bmp.Width, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(bmp.Height, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(bmp.At(bmp.Width / 2, bmp.Height / 2), kRed) << "the first picture of the list";
  EXPECT_TRUE(ShowsPicture(window_, "a.bmp")) << ControlText(window_, IDC_LAST_PICTURE_LABEL);
  EXPECT_TRUE(WaitUntil([] { return SameText(InstalledWallpaper(), WallpaperBmpPath()); }, kActionMs))
      << InstalledWallpaper();
}

TEST_F(AcceptanceRun, LinksAndHotkeysStepThroughThePicturesAndTheBroadcastPublishesOne) {
  StartWith({kRed, kGreen, kBlue, kYellow});
  ASSERT_TRUE(ShowsPicture(window_, "a.bmp")) << ControlText(window_, IDC_LAST_PICTURE_LABEL);

  const struct {
    int Link;
    const char* Name;
    uint32_t Color;
  } steps[] = {
      {IDC_NEXT_WALLPAPER_LABEL, "b.bmp", kGreen},  {IDC_NEXT_WALLPAPER_LABEL, "c.bmp", kBlue},
      {IDC_PREVIOUS_WALLPAPER_LABEL, "b.bmp", kGreen}, {IDC_LAST_WALLPAPER_LABEL, "d.bmp", kYellow},
      {IDC_FIRST_WALLPAPER_LABEL, "a.bmp", kRed},
  };
  for (const auto& step : steps) {
    ASSERT_TRUE(ClickLink(window_, step.Link));
    EXPECT_TRUE(WaitForPicture(step.Name, step.Color))
        << step.Name << ": " << ControlText(window_, IDC_LAST_PICTURE_LABEL);
  }

  const struct {
    WPARAM Hotkey;
    const char* Name;
    uint32_t Color;
  } hotkeys[] = {{100, "b.bmp", kGreen}, {100, "c.bmp", kBlue}, {101, "b.bmp", kGreen}};
  for (const auto& step : hotkeys) {
    PostMessageA(window_, WM_HOTKEY, step.Hotkey, 0);
    EXPECT_TRUE(WaitForPicture(step.Name, step.Color))
        << step.Hotkey << ": " << ControlText(window_, IDC_LAST_PICTURE_LABEL);
  }

  // A random pick, by link and by hotkey, is one of the pictures and is composed.
  for (int way = 0; way < 2; ++way) {
    if (way == 0)
      ASSERT_TRUE(ClickLink(window_, IDC_RANDOM_WALLPAPER_LABEL));
    else
      PostMessageA(window_, WM_HOTKEY, 102, 0);
    ASSERT_TRUE(WaitForNextWallpaper()) << way;
    const uint32_t centre = WallpaperCentre();
    const char* names[] = {"a.bmp", "b.bmp", "c.bmp", "d.bmp"};
    const uint32_t colors[] = {kRed, kGreen, kBlue, kYellow};
    bool matches = false;
    for (int i = 0; i < 4; ++i) matches = matches || (ShowsPicture(window_, names[i]) && centre == colors[i]);
    EXPECT_TRUE(matches) << ControlText(window_, IDC_LAST_PICTURE_LABEL) << " centre " << std::hex << centre;
  }

  SetRegistryText(HKEY_CURRENT_USER, "Software\\Muralotrope", kBroadcastRegistryValueName, "stale");
  ASSERT_TRUE(ClickLink(window_, IDC_BROADCAST_NOW_LABEL));
  std::string published;
  ASSERT_TRUE(WaitUntil([&] {
    published = GetRegistryText(HKEY_CURRENT_USER, "Software\\Muralotrope", kBroadcastRegistryValueName);
    // A closing instance of an earlier test may still empty the value; wait for the broadcast's own.
    return published != "stale" && !published.empty();
  }, kActionMs));
  EXPECT_EQ(published.rfind(pictures_, 0), 0u) << published;
  EXPECT_TRUE(program_.FileExists("Pictures\\" + published.substr(pictures_.size()))) << published;
}

TEST_F(AcceptanceRun, APictureDeletedFromDiskIsSkippedAndTheCountDrops) {
  StartWith({kRed, kGreen, kBlue, kYellow});
  ASSERT_TRUE(DeleteFileA((pictures_ + "b.bmp").c_str()));

  ASSERT_TRUE(ClickLink(window_, IDC_NEXT_WALLPAPER_LABEL));
  EXPECT_TRUE(WaitForPicture("c.bmp", kBlue)) << ControlText(window_, IDC_LAST_PICTURE_LABEL);
  EXPECT_EQ(ControlText(window_, IDC_LOADED_PICTURES_COUNT_LABEL), LoadedPicturesCountText(3));
  // The list no longer holds it: back from "c.bmp" is "a.bmp".
  PostMessageA(window_, WM_HOTKEY, 101, 0);
  EXPECT_TRUE(WaitForPicture("a.bmp", kRed)) << ControlText(window_, IDC_LAST_PICTURE_LABEL);
  EXPECT_TRUE(program_.OtherVisibleWindows(window_).empty());
}

TEST_F(AcceptanceRun, ABrokenPictureIsSteppedOverWithoutAnyWindow) {
  pictures_ = WriteUniformPictures(program_, {kRed, kGreen, kBlue});
  // "b" is a text file that only looks like a picture.
  DeleteFileA((pictures_ + "b.bmp").c_str());
  WriteWholeFile(pictures_ + "b.jpg", "This is not a picture.\r\n");
  StartOn(QuietSections(pictures_ + "a.bmp"), 3);
  ASSERT_TRUE(ComposeNow());
  ASSERT_EQ(WallpaperCentre(), kRed);

  // "b" cannot be read: Next goes on to "c", and Previous back over it to "a".
  ASSERT_TRUE(ClickLink(window_, IDC_NEXT_WALLPAPER_LABEL));
  EXPECT_TRUE(WaitForPicture("c.bmp", kBlue)) << ControlText(window_, IDC_LAST_PICTURE_LABEL);
  PostMessageA(window_, WM_HOTKEY, 101, 0);
  EXPECT_TRUE(WaitForPicture("a.bmp", kRed)) << ControlText(window_, IDC_LAST_PICTURE_LABEL);
  // By then any window the failures opened would be up.
  EXPECT_TRUE(program_.OtherVisibleWindows(window_).empty()) << "no error window";
  EXPECT_FALSE(program_.FileExists("Errors.log"));
}

TEST_F(AcceptanceRun, ACalendarOptionRedrawsTheCalendarWithoutReloadingThePicture) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  // A picture the size of the screen, so that every pixel outside the calendar is the picture's.
  StartWith({kRed}, true, width, height);
  ASSERT_TRUE(ComposeNow());
  const TBmpPixels before = ReadBmpPixels(WallpaperBmpPath());
  ASSERT_EQ(before.Width, width);
  ASSERT_EQ(before.At(2, 2), kRed);

  // A different picture under the same name: a reload would show it.
  WriteUniformBmp(pictures_ + "a.bmp", width, height, kBlue);
  constexpr int kMonthTextSizeId = IDC_CALENDAR_SKIN_FIRST + 45;
  const int current = ComboSelection(window_, kMonthTextSizeId);
  ASSERT_GE(current, 0);
  ASSERT_TRUE(SelectComboIndex(window_, kMonthTextSizeId, current + 4));
  ASSERT_NE(ComboSelection(window_, kMonthTextSizeId), current);

  const TBmpPixels after = ReadBmpPixels(WallpaperBmpPath());
  ASSERT_EQ(after.Width, width);
  ASSERT_EQ(after.Height, height);
  size_t changed = 0, blue = 0;
  for (size_t i = 0; i < after.Pixels.size(); ++i) {
    changed += after.Pixels[i] != before.Pixels[i];
    blue += after.Pixels[i] == kBlue;
  }
  EXPECT_GT(changed, 0u) << "the calendar was painted anew";
  EXPECT_LT(changed, after.Pixels.size() / 4) << "only the calendar's box changed";
  EXPECT_EQ(blue, 0u) << "the picture was not read again";
  for (const POINT corner : {POINT{2, 2}, POINT{width - 3, height - 3}, POINT{2, height - 3}})
    EXPECT_EQ(after.At(corner.x, corner.y), kRed) << corner.x << "," << corner.y;

  // A reload does read the new picture: the check above could fail.
  SendLinkClick(window_, IDC_REDRAW_WALLPAPER_LABEL);
  EXPECT_EQ(ReadBmpPixels(WallpaperBmpPath()).At(2, 2), kBlue);
}

// What the restart must bring back: combo texts and check states.
struct TControlState {
  int Id;
  bool IsCombo;
};
const TControlState kRememberedControls[] = {
    {IDC_AUTO_CHANGE_INTERVAL_COMBOBOX, true}, {IDC_GAMMA_COMBOBOX, true},
    {IDC_DESKTOP_MARGIN_COMBOBOX, true},       {IDC_HOTKEY_COMBOBOX, true},
    {IDC_MAX_STRETCH_SKEW_COMBOBOX, true},     {IDC_CALENDAR_SKIN_FIRST + 45, true},
    {IDC_RANDOM_WALLPAPER_CHECKBOX, false},    {IDC_FIT_AND_CROP_CHECKBOX, false},
    {IDC_HIDE_ON_CLOSE_CHECKBOX, false},       {IDC_USE_START_TIME_CHECKBOX, false},
};

std::vector<std::string> ControlStates(HWND window) {
  std::vector<std::string> states;
  for (const TControlState& control : kRememberedControls)
    states.push_back(control.IsCombo ? ControlText(window, control.Id) : IsChecked(window, control.Id) ? "on" : "off");
  return states;
}

TEST_F(AcceptanceRun, OptionsChangedInTheWindowSurviveARestart) {
  StartWith({kRed, kGreen});
  const std::vector<std::string> initial = ControlStates(window_);
  for (const TControlState& control : kRememberedControls) {
    HWND handle = TProgramUnderTest::FindControl(window_, control.Id);
    ASSERT_NE(handle, nullptr) << control.Id;
    if (control.IsCombo) {
      ASSERT_TRUE(SelectComboIndex(window_, control.Id, ComboSelection(window_, control.Id) + 3)) << control.Id;
    } else {
      SendMessageA(handle, BM_CLICK, 0, 0);
    }
  }
  const std::vector<std::string> changed = ControlStates(window_);
  for (size_t i = 0; i < changed.size(); ++i) EXPECT_NE(changed[i], initial[i]) << kRememberedControls[i].Id;

  ASSERT_TRUE(ClickLink(window_, IDC_CLOSE_PROGRAM_LABEL));
  ASSERT_EQ(program_.WaitForExit(kActionMs), 0);
  ASSERT_TRUE(program_.Start("ShowOnStart"));
  window_ = program_.WaitForMainWindow(kFirstWindowMs);
  ASSERT_NE(window_, nullptr);
  ASSERT_TRUE(WaitUntil(
      [&] { return ControlText(window_, IDC_LOADED_PICTURES_COUNT_LABEL) == LoadedPicturesCountText(2); }, kActionMs));
  EXPECT_EQ(ControlStates(window_), changed);
  EXPECT_TRUE(ShowsPicture(window_, "a.bmp")) << ControlText(window_, IDC_LAST_PICTURE_LABEL);
}

// The tray menu's command identifier for an item by its caption.
UINT TrayMenuId(const char* caption) {
  const auto& items = TrayMenuItems();
  for (size_t i = 0; i < items.size(); ++i)
    if (std::strcmp(items[i].Caption, caption) == 0) return kTrayMenuFirstId + static_cast<UINT>(i);
  return 0;
}

TEST_F(AcceptanceRun, HidesToTheTrayComesBackByTheIconAndClosesForRealFromTheTrayMenu) {
  StartWith({kRed, kGreen});
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window_) != FALSE; }, kActionMs));

  PostMessageA(window_, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window_); }, kActionMs));
  EXPECT_TRUE(program_.IsRunning());

  PostMessageA(window_, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONUP);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window_) != FALSE; }, kActionMs));
  // Another icon's click is not ours.
  PostMessageA(window_, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window_); }, kActionMs));
  SendMessageA(window_, kTrayCallbackMessage, kTrayIconId + 1, WM_LBUTTONUP);
  EXPECT_FALSE(IsWindowVisible(window_));

  const UINT closeId = TrayMenuId("Close");
  ASSERT_NE(closeId, 0u);
  PostMessageA(window_, WM_COMMAND, closeId, 0);
  EXPECT_EQ(program_.WaitForExit(kActionMs), 0);
  EXPECT_NE(program_.ReadFile("Muralotrope.ini").find("XPos="), std::string::npos) << "the options were saved";
}

}  // namespace
