// The program killed in the middle of saving its options or composing a
// wallpaper: what it leaves is whole, and the next start works.
#include <windows.h>

#include <gtest/gtest.h>

#include "ProgramHarness.h"
#include "resources/resource.h"

namespace {

constexpr DWORD kActionMs = 20000;

bool FileExistsAt(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Kills the program after the given delay, or, for a negative delay, the moment
// the named file appears.
void KillAt(TProgramUnderTest& program, int delayMs, const std::string& appearingFile) {
  if (delayMs < 0) {
    // A tight loop: the file lives only for the moment of the write.
    const ULONGLONG deadline = GetTickCount64() + kActionMs;
    while (program.IsRunning() && !FileExistsAt(appearingFile) && GetTickCount64() < deadline) {
    }
  } else if (delayMs > 0) {
    // The delay is the point of the test, not a wait for a condition.
    WaitForSingleObject(program.Process(), static_cast<DWORD>(delayMs));
  }
  program.Kill();
}

// The program ends by its own close after it has loaded its pictures, so that
// the next run begins from what this one saved.
void CloseNormally(TProgramUnderTest& program, HWND window) {
  ClickLink(window, IDC_CLOSE_PROGRAM_LABEL);
  EXPECT_EQ(program.WaitForExit(kActionMs), 0);
}

// Moments to kill at: when the named file appears, then a range of delays.
const int kKillDelaysMs[] = {-1, 0, 5, 20, 60};

TEST(AcceptanceKill, KilledWhileSavingTheOptionsFileIsTheOldOrTheNewOneWhole) {
  TProgramUnderTest program;
  const std::string pictures = WriteUniformPictures(program, {0xC81E1E, 0x1EC81E});
  const std::string oldOptions = OptionsFileText(QuietSections(pictures + "a.bmp"), pictures);

  // The new file as a close that is not interrupted writes it.
  program.WriteFile("Muralotrope.ini", oldOptions);
  HWND window = StartShownWithPictures(program, 2);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(SelectComboText(window, IDC_DESKTOP_MARGIN_COMBOBOX, "35"));
  CloseNormally(program, window);
  const std::string newOptions = program.ReadFile("Muralotrope.ini");
  ASSERT_NE(newOptions.find("DesktopMargin=35"), std::string::npos);
  ASSERT_NE(newOptions, oldOptions);

  int sawOld = 0, sawNew = 0;
  program.WriteFile("Muralotrope.ini", oldOptions);
  window = StartShownWithPictures(program, 2);
  ASSERT_NE(window, nullptr);
  for (const int delay : kKillDelaysMs) {
    ASSERT_TRUE(SelectComboText(window, IDC_DESKTOP_MARGIN_COMBOBOX, "35"));
    ASSERT_TRUE(ClickLink(window, IDC_CLOSE_PROGRAM_LABEL));
    KillAt(program, delay, program.PathInFolder("Muralotrope.ini.tmp" + std::to_string(program.ProcessId())));

    const std::string left = program.ReadFile("Muralotrope.ini");
    EXPECT_TRUE(left == oldOptions || left == newOptions) << "killed at " << delay << " ms:\n" << left;
    sawOld += left == oldOptions;
    sawNew += left == newOptions;

    // The next start works on what was left.
    window = StartShownWithPictures(program, 2);
    ASSERT_NE(window, nullptr) << "start after kill at " << delay;
    EXPECT_TRUE(program.OtherVisibleWindows(window).empty()) << "no error window after kill at " << delay;
    EXPECT_EQ(ControlText(window, IDC_DESKTOP_MARGIN_COMBOBOX), left == newOptions ? "35" : "20");
    // The running program read it; the next kill begins from the old file again.
    program.WriteFile("Muralotrope.ini", oldOptions);
  }
  CloseNormally(program, window);
  // Not an assertion on timing, only a note of what the delays hit.
  RecordProperty("KilledBeforeTheSave", sawOld);
  RecordProperty("KilledAfterTheSave", sawNew);
}

TEST(AcceptanceKill, KilledWhileComposingLeavesTheOptionsAndAWholeWallpaperAndTheNextStartWorks) {
  TProgramUnderTest program;
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  // Pictures as large as the screen, so that a composition takes a while.
  const std::string pictures = WriteUniformPictures(program, {0xC81E1E, 0x1EC81E, 0x1E1EC8}, width, height);
  const std::string options = OptionsFileText(QuietSections(pictures + "a.bmp"), pictures);
  const std::string wallpaper = WallpaperBmpPath();

  for (const int delay : kKillDelaysMs) {
    program.WriteFile("Muralotrope.ini", options);
    HWND window = StartShownWithPictures(program, 3);
    ASSERT_NE(window, nullptr) << "start before kill at " << delay;
    // Without the previous wallpaper's file to write over, the save writes a new file
    // under the temporary name, whose appearance marks the moment to kill at.
    DeleteFileA((wallpaper + ".previous").c_str());
    PostMessageA(window, WM_HOTKEY, 100, 0);
    KillAt(program, delay, wallpaper + ".part");

    EXPECT_EQ(program.ReadFile("Muralotrope.ini"), options) << "killed at " << delay << " ms";
    if (FileExistsAt(wallpaper)) {
      const TBmpPixels bmp = ReadBmpPixels(wallpaper);
      EXPECT_EQ(bmp.Width, width) << "a whole wallpaper after kill at " << delay;
      EXPECT_EQ(bmp.Height, height) << "a whole wallpaper after kill at " << delay;
    }
  }

  // The next start works and composes.
  program.WriteFile("Muralotrope.ini", options);
  HWND window = StartShownWithPictures(program, 3);
  ASSERT_NE(window, nullptr);
  DeleteFileA(wallpaper.c_str());
  PostMessageA(window, WM_HOTKEY, 100, 0);
  EXPECT_TRUE(WaitUntil([&] { return ReadBmpPixels(wallpaper).Width == width; }, kActionMs));
  EXPECT_TRUE(program.OtherVisibleWindows(window).empty());
  CloseNormally(program, window);
}

}  // namespace
