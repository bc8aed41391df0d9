#include "platform/FolderBrowser.h"

#include <shlobj.h>

#include <vector>

#include "platform/WinText.h"

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
  wchar_t display[MAX_PATH] = {};
  const std::wstring wideTitle = AnsiToWide(title);
  BROWSEINFOW info = {};
  info.hwndOwner = owner;
  info.pidlRoot = nullptr;  // the desktop
  info.pszDisplayName = display;
  info.lpszTitle = wideTitle.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  PIDLIST_ABSOLUTE chosen;
  {
    TDisabledThreadWindows disabled;
    chosen = SHBrowseForFolderW(&info);
  }
  if (!chosen) return false;
  // Wide: MAX_PATH characters of another script overflow MAX_PATH bytes.
  wchar_t buffer[MAX_PATH] = {};
  const bool found = SHGetPathFromIDListW(chosen, buffer) != FALSE;
  CoTaskMemFree(chosen);
  if (!found) return false;
  path = WideBufferToAnsi(buffer);
  return true;
}
