#include "platform/FileDialogs.h"

#include <commdlg.h>

namespace {

// Room for a long path the user types or a folder walk gives.
constexpr size_t kFileNameRoom = 4096;

bool RunFileDialog(HWND owner, const TFileDialogRequest& request, bool save, std::string& path,
                   unsigned long& failureCode) {
  failureCode = 0;
  const std::string filter = CommonDialogFilter(request.Filter);
  std::string file = path.size() < kFileNameRoom ? path : std::string();
  file.resize(kFileNameRoom, '\0');
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrTitle = request.Title.empty() ? nullptr : request.Title.c_str();
  dialog.lpstrDefExt = request.DefaultExtension.empty() ? nullptr : request.DefaultExtension.c_str();
  // The program's current folder stays where it was: relative names keep their meaning.
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
  if (request.FolderMustExist) dialog.Flags |= OFN_PATHMUSTEXIST;
  if (!(save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog))) {
    failureCode = CommDlgExtendedError();
    return false;
  }
  path = file.c_str();
  return true;
}

}  // namespace

std::string CommonDialogFilter(const std::string& filter) {
  std::string parts = filter;
  for (char& c : parts)
    if (c == '|') c = '\0';
  return parts + std::string(2, '\0');
}

bool ChooseFileToOpen(HWND owner, const TFileDialogRequest& request, std::string& path, unsigned long& failureCode) {
  return RunFileDialog(owner, request, false, path, failureCode);
}

bool ChooseFileToSave(HWND owner, const TFileDialogRequest& request, std::string& path, unsigned long& failureCode) {
  return RunFileDialog(owner, request, true, path, failureCode);
}
