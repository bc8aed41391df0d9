#include "platform/OpenFileDialog.h"

#include <commdlg.h>

#include <cstring>

bool ChooseFileToOpen(HWND owner, const std::string& description, const std::string& patterns,
                      std::string& path, unsigned long& failureCode) {
  failureCode = 0;
  // "description\0patterns\0\0"
  std::string filter = description;
  filter += '\0';
  filter += patterns;
  filter += '\0';
  filter += '\0';
  char file[MAX_PATH] = {};
  if (path.size() < MAX_PATH) std::memcpy(file, path.c_str(), path.size());
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file;
  dialog.nMaxFile = MAX_PATH;
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
  if (!GetOpenFileNameA(&dialog)) {
    failureCode = CommDlgExtendedError();
    return false;
  }
  path = file;
  return true;
}
