// The real program composing and installing wallpapers, and broadcasting, driven
// through its windows in a fresh program folder.
#include <windows.h>

#include <gtest/gtest.h>

#include "ProgramHarness.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "core/WallpaperBroadcast.h"
#include "core/WallpaperFiles.h"
#include "platform/Registry.h"
#include "resources/resource.h"

namespace {

std::string ExeDirectory() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string text = path;
  return text.substr(0, text.find_last_of('\\') + 1);
}

std::string TempDirectory() {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  char longFolder[MAX_PATH];
  const DWORD size = GetLongPathNameA(folder, longFolder, MAX_PATH);
  return size > 0 && size < MAX_PATH ? longFolder : folder;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds = 20000) {
  const DWORD deadline = GetTickCount() + milliseconds;
  while (!condition()) {
    if (GetTickCount() > deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
  return true;
}

HWND FindControl(HWND root, int id) {
  struct TSearch {
    int Id;
    HWND Found;
  } search{id, nullptr};
  EnumChildWindows(
      root,
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<TSearch*>(data);
        if (GetDlgCtrlID(window) != s->Id) return TRUE;
        s->Found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

// A link label or check box click as the control sends it to its page. Sent, so the
// handler has run when it returns.
void Click(HWND root, int id) {
  HWND control = FindControl(root, id);
  ASSERT_NE(control, nullptr) << id;
  char className[32] = {};
  GetClassNameA(control, className, sizeof className);
  if (_stricmp(className, "Button") == 0) {
    SendMessageA(control, BM_CLICK, 0, 0);
    return;
  }
  SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(id, STN_CLICKED), reinterpret_cast<LPARAM>(control));
}

void Select(HWND root, int id, const std::string& item) {
  HWND box = FindControl(root, id);
  ASSERT_NE(box, nullptr) << id;
  const LRESULT index = SendMessageA(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(item.c_str()));
  ASSERT_NE(index, CB_ERR) << item;
  SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageA(GetParent(box), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}

struct TBmpInfo {
  int Width = 0, Height = 0, BitCount = 0;
  uint32_t CentrePixel = 0;  // 0x00RRGGBB
};

TBmpInfo ReadBmp(const std::string& path) {
  const std::string bytes = ReadFileBytes(path);
  TBmpInfo info;
  if (bytes.size() < 54 || bytes.compare(0, 2, "BM") != 0) return info;
  int32_t width = 0, height = 0;
  uint16_t bitCount = 0;
  uint32_t offset = 0;
  std::memcpy(&offset, bytes.data() + 10, 4);
  std::memcpy(&width, bytes.data() + 18, 4);
  std::memcpy(&height, bytes.data() + 22, 4);
  std::memcpy(&bitCount, bytes.data() + 28, 2);
  info.Width = width;
  info.Height = height < 0 ? -height : height;
  info.BitCount = bitCount;
  if (bitCount != 24 && bitCount != 32) return info;
  const size_t stride = ((static_cast<size_t>(width) * bitCount / 8) + 3) & ~static_cast<size_t>(3);
  const size_t at = offset + stride * (info.Height / 2) + static_cast<size_t>(width / 2) * (bitCount / 8);
  if (at + 3 > bytes.size()) return info;
  info.CentrePixel = static_cast<uint8_t>(bytes[at + 2]) << 16 | static_cast<uint8_t>(bytes[at + 1]) << 8 |
                     static_cast<uint8_t>(bytes[at]);
  return info;
}

// The program started in a fresh folder whose options name one picture as current.
class CompositionE2ETest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = TempDirectory() + "muralotrope_e2e_composition_" + std::to_string(GetTickCount()) + "\\";
    CreateDirectoryA(folder_.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA((ExeDirectory() + MURALOTROPE_EXE_NAME).c_str(), (folder_ + "Muralotrope.exe").c_str(), FALSE));
    picture_ = folder_ + "picture.bmp";
    WriteUniformBmp(picture_, 160, 128, 0x808080);
    wallpaper_ = WallpaperFilePath(TempDirectory());
    DeleteFileA(wallpaper_.c_str());
  }

  void TearDown() override {
    if (window_) {
      // The close link ends the program for real whatever the hide-on-close option says.
      if (HWND close = FindControl(window_, IDC_CLOSE_PROGRAM_LABEL))
        PostMessageA(GetParent(close), WM_COMMAND, MAKEWPARAM(IDC_CLOSE_PROGRAM_LABEL, STN_CLICKED),
                     reinterpret_cast<LPARAM>(close));
    }
    if (process_.hProcess) {
      if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 1);
      CloseHandle(process_.hProcess);
      CloseHandle(process_.hThread);
    }
    RemoveFolder(folder_);
  }

  static void RemoveFolder(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
      const std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveFolder(folder + name + "\\");
      else
        DeleteFileA((folder + name).c_str());
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    RemoveDirectoryA(folder.c_str());
  }

  void Start(const std::string& currentPicture) {
    WriteFileBytes(folder_ + "Muralotrope.ini",
                   "[Wallpaper]\r\nIsAutoChange=FALSE\r\nLastFileTitle=" + currentPicture +
                       "\r\n[DirectoryList]\r\nCount=1\r\nTitle0=" + folder_ + "\r\nActive0=TRUE\r\nRecurs0=FALSE\r\n");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string command = "\"" + folder_ + "Muralotrope.exe\" ShowOnStart";
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &startup,
                               &process_));
    ASSERT_TRUE(WaitFor([&] {
      window_ = FindWindowA("#32770", "Muralotrope");
      return window_ && FindControl(window_, IDC_REDRAW_WALLPAPER_LABEL) != nullptr;
    }));
    WaitForInputIdle(process_.hProcess, 10000);
  }

  std::string folder_, picture_, wallpaper_;
  HWND window_ = nullptr;
  PROCESS_INFORMATION process_ = {};
};

TEST_F(CompositionE2ETest, RedrawWritesAScreenSizedBmpAndInstallsIt) {
  Start(picture_);
  // Clicks made while the program still sets its controls are ignored: repeat until one runs.
  ASSERT_TRUE(WaitFor([&] {
    Click(window_, IDC_REDRAW_WALLPAPER_LABEL);
    return ReadBmp(wallpaper_).Width > 0;
  }));
  const TBmpInfo bmp = ReadBmp(wallpaper_);
  EXPECT_EQ(bmp.Width, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(bmp.Height, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(bmp.CentrePixel, 0x808080u);
  const std::string installed = GetRegistryText(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper");
  EXPECT_EQ(_stricmp(installed.c_str(), wallpaper_.c_str()), 0) << installed;
  EXPECT_EQ(ControlText(window_, IDC_CURRENT_SKEW_LABEL).rfind("(Current full skew ", 0), 0u);
  EXPECT_EQ(ControlText(window_, IDC_APPLIED_NORM_FACTOR_LABEL), "(Applied normalization factor 0)");

  // A gamma change fits the picture anew: the grey lightens.
  Select(window_, IDC_GAMMA_COMBOBOX, "50");
  ASSERT_TRUE(WaitFor([&] { return ReadBmp(wallpaper_).CentrePixel != 0x808080u; }));
  EXPECT_GT(ReadBmp(wallpaper_).CentrePixel & 0xFF, 0xA0u);
  // Normalising reports its factor: 0.5 / (128 / 255) = 0.996.
  Click(window_, IDC_USE_NORMALIZE_CHECKBOX);
  EXPECT_EQ(ControlText(window_, IDC_APPLIED_NORM_FACTOR_LABEL), "(Applied normalization factor 99)");
}

// A visible message box of the program showing the text, or null.
HWND FindMessageBox(DWORD processId, const std::string& text) {
  struct TSearch {
    DWORD ProcessId;
    const std::string* Text;
    HWND Found;
  } search{processId, &text, nullptr};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<TSearch*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != s->ProcessId || !IsWindowVisible(window)) return TRUE;
        HWND label = FindWindowExA(window, nullptr, "Static", nullptr);
        for (; label; label = FindWindowExA(window, label, "Static", nullptr)) {
          char caption[256] = {};
          GetWindowTextA(label, caption, sizeof caption);
          if (*s->Text == caption) {
            s->Found = window;
            return FALSE;
          }
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

TEST_F(CompositionE2ETest, APictureThatDoesNotDecodeLeavesTheOldWallpaper) {
  const std::string broken = folder_ + "broken.jpg";
  WriteFileBytes(broken, "This is not a picture.\r\n");
  WriteFileBytes(wallpaper_, "the old wallpaper");
  Start(broken);
  // Start-up gives no sign of its end: click for a while, as a user would.
  const DWORD until = GetTickCount() + 2000;
  while (GetTickCount() < until) {
    Click(window_, IDC_REDRAW_WALLPAPER_LABEL);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
  }
  EXPECT_EQ(ReadFileBytes(wallpaper_), "the old wallpaper");
  EXPECT_EQ(ControlText(window_, IDC_CURRENT_SKEW_LABEL), "(No current skew available)");
  HWND errorWindow = FindWindowA("#32770", "Error");
  EXPECT_TRUE(errorWindow == nullptr || !IsWindowVisible(errorWindow));
  // The failed load dropped the broken title, so there is no title left to copy.
  HWND clip = FindControl(window_, IDC_CLIP_PICTURE_TITLE_LABEL);
  ASSERT_NE(clip, nullptr);
  PostMessageA(GetParent(clip), WM_COMMAND, MAKEWPARAM(IDC_CLIP_PICTURE_TITLE_LABEL, STN_CLICKED),
               reinterpret_cast<LPARAM>(clip));
  HWND box = nullptr;
  EXPECT_TRUE(WaitFor([&] {
    box = FindMessageBox(process_.dwProcessId, "There is no text to copy to clipboard.");
    return box != nullptr;
  }, 10000));
  if (box) PostMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST_F(CompositionE2ETest, BroadcastPublishesAPictureAndSwitchingItOffEmptiesTheValue) {
  SetRegistryText(HKEY_CURRENT_USER, "Software\\Muralotrope", BroadcastRegistryValueName, "stale");
  Start(picture_);
  EXPECT_EQ(ControlText(window_, IDC_BROADCAST_HELP_LABEL), BroadcastHelpText);
  Click(window_, IDC_BROADCAST_NOW_LABEL);
  const std::string published = GetRegistryText(HKEY_CURRENT_USER, "Software\\Muralotrope", BroadcastRegistryValueName);
  EXPECT_NE(published, "stale");
  // Only pictures of the list, or nothing when the list is empty.
  EXPECT_TRUE(published.empty() || _stricmp(published.c_str(), picture_.c_str()) == 0) << published;

  SetRegistryText(HKEY_CURRENT_USER, "Software\\Muralotrope", BroadcastRegistryValueName, "stale");
  HWND box = FindControl(window_, IDC_IS_BROADCAST_CHECKBOX);
  ASSERT_NE(box, nullptr);
  if (SendMessageA(box, BM_GETCHECK, 0, 0) != BST_CHECKED) Click(window_, IDC_IS_BROADCAST_CHECKBOX);
  ASSERT_EQ(GetRegistryText(HKEY_CURRENT_USER, "Software\\Muralotrope", BroadcastRegistryValueName), "stale");
  Click(window_, IDC_IS_BROADCAST_CHECKBOX);
  EXPECT_EQ(GetRegistryText(HKEY_CURRENT_USER, "Software\\Muralotrope", BroadcastRegistryValueName), "");
}

}  // namespace
