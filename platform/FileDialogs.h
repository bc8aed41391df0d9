// The system's open-file and save-file dialogs.
#pragma once

#include <windows.h>

#include <string>

struct TFileDialogRequest {
  // Pairs of a description and its ";"-separated patterns, all joined by '|':
  // "Skins (*.wps)|*.wps".
  std::string Filter;
  // The system's own title when empty.
  std::string Title;
  // Added to a name typed without one; none when empty.
  std::string DefaultExtension;
  // The folder of the name typed must exist. Off, the name is handed back as it
  // is (the caller reports a file it cannot read).
  bool FolderMustExist = false;
};

// The file-name field starts with `path`; the chosen file comes back in it.
// False when the user cancels or the dialog fails; failureCode is then the
// dialog's error code (0 for a cancel).
bool ChooseFileToOpen(HWND owner, const TFileDialogRequest& request, std::string& path, unsigned long& failureCode);
bool ChooseFileToSave(HWND owner, const TFileDialogRequest& request, std::string& path, unsigned long& failureCode);

// The common dialog's filter: the parts of "Skins (*.wps)|*.wps" each ended by a zero, and one more.
std::string CommonDialogFilter(const std::string& filter);
