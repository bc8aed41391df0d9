// The running program driven from outside its window: global hotkeys, a
// settings change, the end of the session and the tray menu's Close.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/TrayMenu.h"
#include "resources/resource.h"

namespace {

std::string ExecutableDirectory() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string text = path;
  return text.substr(0, text.find_last_of("\\/") + 1);
}

std::string TempDirectory() {
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  return folder;
}

std::string WallpaperPath() { return TempDirectory() + "Muralotrope_Wallpaper.bmp"; }

// The last write time of a file, 0 when it does not exist.
unsigned long long WriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
         data.ftLastWriteTime.dwLowDateTime;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A small 24-bit picture of one colour.
void WriteBitmap(const std::string& path, BYTE red, BYTE green, BYTE blue) {
  const int width = 40, height = 30, stride = width * 3;
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + stride * height;
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  for (int i = 0; i < width * height; ++i) {
    const char pixel[3] = {static_cast<char>(blue), static_cast<char>(green), static_cast<char>(red)};
    out.write(pixel, 3);
  }
}

template <class Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = 15000) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() > deadline) return false;
    Sleep(50);  // polling interval
  }
}

// Whether this process can take a combination, that is, no other program holds it.
bool IsHotkeyFree(UINT modifiers, char letter) {
  if (!RegisterHotKey(nullptr, 0x3000, modifiers, static_cast<UINT>(letter))) return false;
  UnregisterHotKey(nullptr, 0x3000);
  return true;
}

// The program started in a fresh folder of its own with three pictures
// ("a.bmp", "b.bmp", "c.bmp") and "a.bmp" current. No change is due at start:
// the last change lies in the future and the calendar and broadcast are off.
class TProgramRun {
 public:
  explicit TProgramRun(bool hideOnClose = true) {
    Folder = TempDirectory() + "MuralotropeControl" + std::to_string(GetCurrentProcessId()) + "_" +
             std::to_string(GetTickCount64()) + "\\";
    Pictures = Folder + "Pictures\\";
    std::filesystem::create_directories(Pictures);
    WriteBitmap(Pictures + "a.bmp", 200, 30, 30);
    WriteBitmap(Pictures + "b.bmp", 30, 200, 30);
    WriteBitmap(Pictures + "c.bmp", 30, 30, 200);
    std::ofstream(Folder + "Muralotrope.ini", std::ios::binary)
        << "[Main]\r\nAutorun=FALSE\r\nHideOnClose=" << (hideOnClose ? "TRUE" : "FALSE") << "\r\nHotkey=W\r\n"
        << "[Wallpaper]\r\nIsAutoChange=TRUE\r\nAutoChangeInterval=1 hour\r\nIsRandomWallpaper=FALSE\r\n"
        << "LastAutoChangeTime=2958000\r\nLastFileTitle=" << Pictures << "a.bmp\r\n"
        << "[Calendar]\r\nShow=FALSE\r\n"
        << "[BroadcastWallpaperChange]\r\nIsAutoChange=FALSE\r\n"
        << "[DirectoryList]\r\nCount=1\r\nTitle0=" << Pictures << "\r\nActive0=TRUE\r\nRecurs0=FALSE\r\n";
    CopyFileA((ExecutableDirectory() + MURALOTROPE_EXE_NAME).c_str(), (Folder + "Muralotrope.exe").c_str(), FALSE);
  }

  ~TProgramRun() {
    if (process_.hProcess) {
      if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 2);
        WaitForSingleObject(process_.hProcess, 5000);
      }
      CloseHandle(process_.hProcess);
      CloseHandle(process_.hThread);
    }
    std::error_code ignored;
    std::filesystem::remove_all(Folder, ignored);
  }

  // Starts the program shown and waits for its main window.
  bool Start() {
    std::string commandLine = "\"" + Folder + "Muralotrope.exe\" ShowOnStart";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, Folder.c_str(), &startup,
                        &process_))
      return false;
    return WaitUntil([this] { return (Window = FindMainWindow()) != nullptr; });
  }

  // Waits until the start-up has loaded the three picture names.
  bool WaitForPictures() {
    return WaitUntil([this] { return ControlText(IDC_LOADED_PICTURES_COUNT_LABEL).find(" 3 ") != std::string::npos; });
  }

  // Waits until the options load has registered the hotkeys on "W".
  bool WaitForHotkeys() {
    return WaitUntil([] { return !IsHotkeyFree(MOD_CONTROL | MOD_SHIFT, 'W'); });
  }

  bool HasExited(DWORD timeoutMs = 15000) const {
    return WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0;
  }

  HWND Control(int id) const {
    struct TSearch { int id; HWND found; } search = {id, nullptr};
    EnumChildWindows(
        Window,
        [](HWND child, LPARAM data) -> BOOL {
          auto* s = reinterpret_cast<TSearch*>(data);
          if (GetDlgCtrlID(child) != s->id) return TRUE;
          s->found = child;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  std::string ControlText(int id) const {
    char text[1024] = {};
    if (HWND control = Control(id)) SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
  }

  // The current-picture label names the picture in quotes.
  bool ShowsPicture(const char* name) const {
    return ControlText(IDC_LAST_PICTURE_LABEL).find(std::string("\"") + name + "\"") != std::string::npos;
  }

  // Selects an item of a drop-down list as a user would.
  void SelectComboItem(int id, const char* text) const {
    HWND combo = Control(id);
    const LRESULT index = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  }

  std::string Folder, Pictures;
  HWND Window = nullptr;

 private:
  HWND FindMainWindow() const {
    struct TSearch { DWORD processId; HWND found; } search = {process_.dwProcessId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
          auto* s = reinterpret_cast<TSearch*>(data);
          DWORD processId = 0;
          GetWindowThreadProcessId(window, &processId);
          char caption[64] = {};
          GetWindowTextA(window, caption, sizeof caption);
          if (processId != s->processId || std::string(caption) != "Muralotrope" ||
              !GetDlgItem(window, IDC_MAIN_PAGE_CONTROL))
            return TRUE;
          s->found = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  PROCESS_INFORMATION process_ = {};
};

TEST(ControlE2eTest, HotkeysFollowTheChosenLetterAndAreFreedAtExit) {
  TProgramRun run;
  ASSERT_TRUE(run.Start());
  ASSERT_TRUE(run.WaitForHotkeys());
  EXPECT_FALSE(IsHotkeyFree(MOD_CONTROL | MOD_ALT, 'W'));
  EXPECT_FALSE(IsHotkeyFree(MOD_ALT | MOD_SHIFT, 'W'));

  run.SelectComboItem(IDC_HOTKEY_COMBOBOX, "Q");
  EXPECT_FALSE(IsHotkeyFree(MOD_CONTROL | MOD_SHIFT, 'Q'));
  EXPECT_FALSE(IsHotkeyFree(MOD_ALT | MOD_SHIFT, 'Q'));
  EXPECT_TRUE(IsHotkeyFree(MOD_CONTROL | MOD_SHIFT, 'W')) << "the former letter is given up";

  SendMessageA(run.Window, WM_COMMAND, kTrayMenuFirstId, 0);  // the tray menu's "Close"
  ASSERT_TRUE(run.HasExited());
  EXPECT_TRUE(IsHotkeyFree(MOD_CONTROL | MOD_SHIFT, 'Q'));
  EXPECT_TRUE(IsHotkeyFree(MOD_CONTROL | MOD_ALT, 'Q'));
}

TEST(ControlE2eTest, HotkeyMessagesStepThroughThePictures) {
  TProgramRun run;
  ASSERT_TRUE(run.Start());
  ASSERT_TRUE(run.WaitForPictures());
  ASSERT_TRUE(WaitUntil([&] { return run.ShowsPicture("a.bmp"); })) << run.ControlText(IDC_LAST_PICTURE_LABEL);

  PostMessageA(run.Window, WM_HOTKEY, 100, MAKELPARAM(MOD_CONTROL | MOD_SHIFT, 'W'));
  EXPECT_TRUE(WaitUntil([&] { return run.ShowsPicture("b.bmp"); })) << run.ControlText(IDC_LAST_PICTURE_LABEL);
  PostMessageA(run.Window, WM_HOTKEY, 101, MAKELPARAM(MOD_CONTROL | MOD_ALT, 'W'));
  EXPECT_TRUE(WaitUntil([&] { return run.ShowsPicture("a.bmp"); })) << run.ControlText(IDC_LAST_PICTURE_LABEL);

  // Hidden in the tray the hotkeys still work; a random pick composes a wallpaper.
  PostMessageA(run.Window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(run.Window); }));
  DeleteFileA(WallpaperPath().c_str());
  PostMessageA(run.Window, WM_HOTKEY, 102, MAKELPARAM(MOD_ALT | MOD_SHIFT, 'W'));
  EXPECT_TRUE(WaitUntil([&] { return WriteTime(WallpaperPath()) != 0; }));
  EXPECT_TRUE(run.ShowsPicture("a.bmp") || run.ShowsPicture("b.bmp") || run.ShowsPicture("c.bmp"));

  // An identifier that is not one of the three changes nothing.
  const std::string before = run.ControlText(IDC_LAST_PICTURE_LABEL);
  SendMessageA(run.Window, WM_HOTKEY, 103, 0);
  EXPECT_EQ(run.ControlText(IDC_LAST_PICTURE_LABEL), before);
}

TEST(ControlE2eTest, SettingsChangeComposesOnlyWhenTheScreenDiffers) {
  TProgramRun run;
  ASSERT_TRUE(run.Start());
  ASSERT_TRUE(run.WaitForPictures());
  DeleteFileA(WallpaperPath().c_str());

  // Nothing fitted yet: the first change fits the current picture to the screen.
  SendMessageA(run.Window, WM_SETTINGCHANGE, 0, 0);
  ASSERT_TRUE(WaitUntil([] { return WriteTime(WallpaperPath()) != 0; }));
  const unsigned long long composed = WriteTime(WallpaperPath());

  // The same screen and work area again: nothing is composed.
  SendMessageA(run.Window, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
  SendMessageA(run.Window, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("WindowMetrics"));
  EXPECT_EQ(WriteTime(WallpaperPath()), composed);
}

// The identifier of a "Normalize brightness" submenu item by its caption.
UINT BrightnessMenuId(const char* caption) {
  const auto& items = NormalizeBrightnessMenuItems();
  for (size_t i = 0; i < items.size(); ++i)
    if (std::string(items[i].Caption) == caption) return kBrightnessMenuFirstId + static_cast<UINT>(i);
  return 0;
}

TEST(ControlE2eTest, BrightnessMenuSwitchesNormalisationAndComposesOnce) {
  TProgramRun run;
  ASSERT_TRUE(run.Start());
  ASSERT_TRUE(run.WaitForPictures());
  HWND useNormalize = run.Control(IDC_USE_NORMALIZE_CHECKBOX);
  ASSERT_NE(useNormalize, nullptr);
  DeleteFileA(WallpaperPath().c_str());

  SendMessageA(run.Window, WM_COMMAND, BrightnessMenuId("40"), 0);
  EXPECT_EQ(SendMessageA(useNormalize, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(run.ControlText(IDC_NORMALIZE_LEVEL_COMBOBOX), "40");
  EXPECT_NE(WriteTime(WallpaperPath()), 0u) << "the new level is composed";

  SendMessageA(run.Window, WM_COMMAND, BrightnessMenuId("None"), 0);
  EXPECT_EQ(SendMessageA(useNormalize, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(run.ControlText(IDC_NORMALIZE_LEVEL_COMBOBOX), "40") << "the level stays for the next switch-on";
}

TEST(ControlE2eTest, SessionEndMakesTheCloseRealEvenWhenClosingHides) {
  TProgramRun run(true);
  ASSERT_TRUE(run.Start());
  ASSERT_TRUE(run.WaitForHotkeys());

  // A plain close only hides the window.
  SendMessageA(run.Window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(run.Window));
  EXPECT_FALSE(run.HasExited(0));

  EXPECT_NE(SendMessageA(run.Window, WM_QUERYENDSESSION, 0, 0), 0) << "the session may end";
  PostMessageA(run.Window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(run.HasExited());
  EXPECT_NE(ReadFile(run.Folder + "Muralotrope.ini").find("XPos="), std::string::npos)
      << "the options are saved at the real close";
}

TEST(ControlE2eTest, EndOfSessionClosesWithoutCloseRequest) {
  TProgramRun run(true);
  ASSERT_TRUE(run.Start());
  ASSERT_TRUE(run.WaitForHotkeys());

  // A cancelled end leaves the hiding close as it was.
  SendMessageA(run.Window, WM_QUERYENDSESSION, 0, 0);
  SendMessageA(run.Window, WM_ENDSESSION, FALSE, 0);
  SendMessageA(run.Window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(run.HasExited(0));

  SendMessageA(run.Window, WM_QUERYENDSESSION, 0, 0);
  SendMessageA(run.Window, WM_ENDSESSION, TRUE, 0);
  EXPECT_TRUE(run.HasExited());
}

}  // namespace
