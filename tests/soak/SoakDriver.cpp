// A long run: thousands of wallpaper changes through the hotkey message, with
// a "Redraw wallpaper" click after every tenth, reporting the program's private bytes
// and GDI and USER object counts at the start and the end. Not part of the
// default test run; scripts/soak.sh builds and runs it.
#include <windows.h>
#include <gdiplus.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "../e2e/ProgramHarness.h"
#include "../e2e/TestPictures.h"
#include "platform/WinText.h"
#include "resources/resource.h"

namespace {

struct TUsage {
  SIZE_T PrivateBytes = 0, WorkingSet = 0;
  DWORD GdiObjects = 0, UserObjects = 0;
  // Under Wine the counters above may read 0; these come from the host instead.
  unsigned long long HostPrivateKb = 0, HostResidentKb = 0;
  std::map<std::string, int> Windows;  // the process's windows by class, top-level and child
};

// The host process of a program running under Wine, found by its command
// line in the host's /proc (reachable as drive Z:); empty elsewhere.
std::string HostProcessFolder(const std::string& exePath) {
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
  if (search == INVALID_HANDLE_VALUE) return "";
  std::string found;
  do {
    const std::string name = entry.cFileName;
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    const std::string commandLine = ReadWholeFile("Z:\\proc\\" + name + "\\cmdline");
    if (_strnicmp(commandLine.c_str(), exePath.c_str(), exePath.size()) == 0) found = "Z:\\proc\\" + name;
  } while (found.empty() && FindNextFileA(search, &entry));
  FindClose(search);
  return found;
}

// A "Name:   123 kB" line of /proc/<pid>/status.
unsigned long long StatusKb(const std::string& status, const char* name) {
  const size_t at = status.find(std::string("\n") + name + ":");
  return at == std::string::npos ? 0 : std::strtoull(status.c_str() + at + std::strlen(name) + 2, nullptr, 10);
}

// The process's windows, top-level and child, counted by class name.
std::map<std::string, int> CountWindows(DWORD processId) {
  struct TCount {
    DWORD ProcessId;
    std::map<std::string, int> ByClass;
    void Add(HWND window) {
      char name[128] = {};
      GetClassNameA(window, name, sizeof name);
      ++ByClass[name];
    }
  } count{processId, {}};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* c = reinterpret_cast<TCount*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != c->ProcessId) return TRUE;
        c->Add(window);
        EnumChildWindows(
            window, [](HWND child, LPARAM d) -> BOOL { reinterpret_cast<TCount*>(d)->Add(child); return TRUE; }, data);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count.ByClass;
}

int Total(const std::map<std::string, int>& counts) {
  int total = 0;
  for (const auto& entry : counts) total += entry.second;
  return total;
}

TUsage Measure(const TProgramUnderTest& program, const std::string& hostFolder) {
  TUsage usage;
  PROCESS_MEMORY_COUNTERS_EX counters = {};
  counters.cb = sizeof counters;
  if (GetProcessMemoryInfo(program.Process(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters)) {
    usage.PrivateBytes = counters.PrivateUsage;
    usage.WorkingSet = counters.WorkingSetSize;
  }
  usage.GdiObjects = GetGuiResources(program.Process(), GR_GDIOBJECTS);
  usage.UserObjects = GetGuiResources(program.Process(), GR_USEROBJECTS);
  if (!hostFolder.empty()) {
    const std::string status = ReadWholeFile(hostFolder + "\\status");
    usage.HostPrivateKb = StatusKb(status, "RssAnon");
    usage.HostResidentKb = StatusKb(status, "VmRSS");
  }
  usage.Windows = CountWindows(program.ProcessId());
  return usage;
}

// Wine's GIF encoder writes files its own decoder refuses, and every refused
// load leaks inside the decoder: such a picture would measure the platform,
// not the program. Pictures the platform cannot read back are removed; one
// broken picture of our own keeps the failure path in the run.
void PreparePictures(const std::string& folder) {
  WriteMixedTestPictures(folder);
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      const std::string path = folder + "\\" + entry.cFileName;
      Gdiplus::GpImage* image = nullptr;
      if (Gdiplus::DllExports::GdipLoadImageFromFile(AnsiToWide(path).c_str(), &image) == Gdiplus::Ok && image) {
        Gdiplus::DllExports::GdipDisposeImage(image);
      } else {
        std::printf("left out, the platform cannot read it back: %s\n", entry.cFileName);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
  }
  WriteWholeFile(folder + "\\z-broken.jpg", "This is not a picture.\r\n");
}

FILETIME WallpaperWriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

}  // namespace

int main(int argc, char** argv) {
  setvbuf(stdout, nullptr, _IONBF, 0);
  const int changes = argc > 1 ? atoi(argv[1]) : 2000;
  TProgramUnderTest program;
  const std::string pictures = program.PathInFolder("Pictures");
  CreateDirectoryA(pictures.c_str(), nullptr);
  PreparePictures(pictures);
  program.WriteFile("Muralotrope.ini", "[Main]\r\nHideOnClose=FALSE\r\n[Wallpaper]\r\nIsAutoChange=FALSE\r\n"
                                       "[DirectoryList]\r\nCount=1\r\nTitle0=" + pictures +
                                       "\r\nActive0=TRUE\r\nRecurs0=FALSE\r\n");
  const std::string wallpaper = WallpaperBmpPath();
  DeleteFileA(wallpaper.c_str());
  if (!program.Start("ShowOnStart")) return 2;
  HWND window = program.WaitForMainWindow(30000);
  if (!window) return 3;
  if (!WaitUntil([&] { return ControlText(window, IDC_LOADED_PICTURES_COUNT_LABEL).find(" 0 ") == std::string::npos &&
                              !ControlText(window, IDC_LOADED_PICTURES_COUNT_LABEL).empty(); }, 30000))
    return 3;
  HWND redraw = TProgramUnderTest::FindControl(window, IDC_REDRAW_WALLPAPER_LABEL);
  const std::string hostFolder = HostProcessFolder(program.PathInFolder("Muralotrope.exe"));

  // One change: the hotkey, and every tenth time a "Redraw wallpaper" after it.
  // Both are sent, so the composition has run (or failed) when they return.
  std::map<std::string, int> missedPictures;
  auto send = [&](HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(target, message, wParam, lParam, SMTO_NORMAL, 30000, &result) != 0;
  };
  auto change = [&](int i) {
    const FILETIME before = WallpaperWriteTime(wallpaper);
    bool answered = send(window, WM_HOTKEY, 100, 0);
    if (i % 10 == 0)
      answered = send(GetParent(redraw), WM_COMMAND, MAKEWPARAM(IDC_REDRAW_WALLPAPER_LABEL, STN_CLICKED),
                      reinterpret_cast<LPARAM>(redraw)) && answered;
    const FILETIME after = WallpaperWriteTime(wallpaper);
    if (answered && CompareFileTime(&after, &before) != 0) return true;
    ++missedPictures[ControlText(window, IDC_LAST_PICTURE_LABEL)];
    return false;
  };
  // Every picture shown a few times before the baseline, so that what the
  // first compositions allocate once is not counted as growth.
  for (int i = 1; i <= 20; ++i) change(i);
  missedPictures.clear();
  const TUsage start = Measure(program, hostFolder);
  int composed = 0;
  for (int i = 1; i <= changes && program.IsRunning(); ++i) {
    composed += change(i);
    if (i % 100 == 0) {
      const TUsage now = Measure(program, hostFolder);
      std::printf("%d changes, %d wallpapers written; working set %zu kB, host anonymous resident %llu kB\n", i,
                  composed, now.WorkingSet / 1024, now.HostPrivateKb);
    }
  }
  const TUsage end = Measure(program, hostFolder);
  std::printf("changes requested: %d, wallpapers seen written: %d\n", changes, composed);
  for (const auto& missed : missedPictures)
    std::printf("  no wallpaper %d times for: %s\n", missed.second, missed.first.c_str());
  std::printf("private bytes: %zu -> %zu\n", start.PrivateBytes, end.PrivateBytes);
  std::printf("working set:   %zu -> %zu\n", start.WorkingSet, end.WorkingSet);
  std::printf("GDI objects:   %lu -> %lu\n", start.GdiObjects, end.GdiObjects);
  std::printf("USER objects:  %lu -> %lu\n", start.UserObjects, end.UserObjects);
  std::printf("windows:       %d -> %d\n", Total(start.Windows), Total(end.Windows));
  for (const auto& entry : end.Windows) {
    const auto before = start.Windows.find(entry.first);
    const int was = before == start.Windows.end() ? 0 : before->second;
    if (was != entry.second) std::printf("  %s: %d -> %d\n", entry.first.c_str(), was, entry.second);
  }
  if (hostFolder.empty())
    std::printf("host process:  not found\n");
  else
    std::printf("host process:  anonymous resident %llu kB -> %llu kB, resident %llu kB -> %llu kB\n",
                start.HostPrivateKb, end.HostPrivateKb, start.HostResidentKb, end.HostResidentKb);
  return program.IsRunning() ? 0 : 4;
}
