// A long run: thousands of wallpaper changes through the hotkey message, with
// a calendar redraw after every tenth, reporting the program's private bytes
// and GDI and USER object counts at the start and the end. Not part of the
// default test run; scripts/soak.sh builds and runs it.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>

#include "../e2e/ProgramHarness.h"
#include "../e2e/TestPictures.h"
#include "resources/resource.h"

namespace {

struct TUsage {
  SIZE_T PrivateBytes = 0;
  DWORD GdiObjects = 0, UserObjects = 0;
};

TUsage Measure(HANDLE process) {
  TUsage usage;
  PROCESS_MEMORY_COUNTERS_EX counters = {};
  counters.cb = sizeof counters;
  if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters))
    usage.PrivateBytes = counters.PrivateUsage;
  usage.GdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
  usage.UserObjects = GetGuiResources(process, GR_USEROBJECTS);
  return usage;
}

FILETIME WallpaperWriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

}  // namespace

int main(int argc, char** argv) {
  const int changes = argc > 1 ? atoi(argv[1]) : 2000;
  TProgramUnderTest program;
  const std::string pictures = program.PathInFolder("Pictures");
  CreateDirectoryA(pictures.c_str(), nullptr);
  WriteMixedTestPictures(pictures);
  program.WriteFile("Muralotrope.ini", "[Main]\r\nHideOnClose=FALSE\r\n[Wallpaper]\r\nIsAutoChange=FALSE\r\n"
                                       "[DirectoryList]\r\nCount=1\r\nTitle0=" + pictures +
                                       "\r\nActive0=TRUE\r\nRecurs0=FALSE\r\n");
  if (!program.Start("ShowOnStart")) return 2;
  HWND window = program.WaitForTopWindow("Muralotrope", 30000, "#32770");
  if (!window) return 3;
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string wallpaper = std::string(temp) + "Muralotrope_Wallpaper.bmp";
  HWND redraw = TProgramUnderTest::FindControl(window, IDC_REDRAW_WALLPAPER_LABEL);

  // Let the first composition settle before the baseline.
  WaitUntil([&] { return GetFileAttributesA(wallpaper.c_str()) != INVALID_FILE_ATTRIBUTES; }, 30000);
  const TUsage start = Measure(program.Process());
  int composed = 0;
  for (int i = 1; i <= changes && program.IsRunning(); ++i) {
    const FILETIME before = WallpaperWriteTime(wallpaper);
    PostMessageA(window, WM_HOTKEY, 100, 0);
    if (i % 10 == 0) PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_REDRAW_WALLPAPER_LABEL, STN_CLICKED),
                                  reinterpret_cast<LPARAM>(redraw));
    if (WaitUntil([&] { FILETIME now = WallpaperWriteTime(wallpaper); return CompareFileTime(&now, &before) != 0; },
                  10000))
      ++composed;
  }
  const TUsage end = Measure(program.Process());
  std::printf("changes requested: %d, wallpapers seen written: %d\n", changes, composed);
  std::printf("private bytes: %zu -> %zu\n", start.PrivateBytes, end.PrivateBytes);
  std::printf("GDI objects:   %lu -> %lu\n", start.GdiObjects, end.GdiObjects);
  std::printf("USER objects:  %lu -> %lu\n", start.UserObjects, end.UserObjects);
  return program.IsRunning() ? 0 : 4;
}
