#include "platform/FolderBrowser.h"

#include <shlobj.h>

#include <vector>

namespace {

// Disables the thread's enabled windows for the lifetime of the object.
class TDisabledThreadWindows {
 public:
  TDisabledThreadWindows() { EnumThreadWindows(GetCurrentThreadId(), Disable, reinterpret_cast<LPARAM>(this)); }
  ~TDisabledThreadWindows() {
    for (HWND window : windows_) EnableWindow(window, TRUE);
  }
  TDisabledThreadWindows(const TDisabledThreadWindows&) = delete;
  TDisabledThreadWindows& operator=(const TDisabledThreadWindows&) = delete;

 private:
  static BOOL CALLBACK Disable(HWND window, LPARAM self) {
    if (IsWindowVisible(window) && IsWindowEnabled(window)) {
      EnableWindow(window, FALSE);
      reinterpret_cast<TDisabledThreadWindows*>(self)->windows_.push_back(window);
    }
    return TRUE;
  }
  std::vector<HWND> windows_;
};

}  // namespace

bool BrowseForDirectory(HWND owner, const std::string& title, std::string& path) {
  char display[MAX_PATH] = {};
  BROWSEINFOA info = {};
  info.hwndOwner = owner;
  info.pidlRoot = nullptr;  // the desktop
  info.pszDisplayName = display;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  PIDLIST_ABSOLUTE chosen;
  {
    TDisabledThreadWindows disabled;
    chosen = SHBrowseForFolderA(&info);
  }
  if (!chosen) return false;
  char buffer[MAX_PATH] = {};
  const bool found = SHGetPathFromIDListA(chosen, buffer) != FALSE;
  CoTaskMemFree(chosen);
  if (!found) return false;
  path = buffer;
  return true;
}
