#include "platform/FileDialogs.h"

#include <commdlg.h>

#include "platform/WinText.h"

namespace {

// Room for a long path the user types or a folder walk gives.
constexpr size_t kFileNameRoom = 4096;

bool RunFileDialog(HWND owner, const TFileDialogRequest& request, bool save, std::string& path,
                   unsigned long& failureCode) {
  failureCode = 0;
  // Wide throughout, so that the dialog's names take no detour through a code page.
  const std::wstring filter = AnsiToWide(CommonDialogFilter(request.Filter));
  const std::wstring title = AnsiToWide(request.Title);
  const std::wstring defaultExtension = AnsiToWide(request.DefaultExtension);
  std::wstring file = AnsiToWide(path);
  if (file.size() >= kFileNameRoom) file.clear();
  file.resize(kFileNameRoom, L'\0');
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
  dialog.lpstrDefExt = defaultExtension.empty() ? nullptr : defaultExtension.c_str();
  // The program's current folder stays where it was: relative names keep their meaning.
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
  if (request.FolderMustExist) dialog.Flags |= OFN_PATHMUSTEXIST;
  if (!(save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog))) {
    failureCode = CommDlgExtendedError();
    return false;
  }
  path = WideBufferToAnsi(file.c_str());
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
