// The system's open-file dialog.
#pragma once

#include <windows.h>

#include <string>

// Offers one filter entry (description and ";"-separated patterns) with the
// file-name field pre-filled by `path`; the chosen file comes back in `path`.
// False when the user cancels or the dialog fails; failureCode is then the
// dialog's error code (0 for a cancel).
bool ChooseFileToOpen(HWND owner, const std::string& description, const std::string& patterns,
                      std::string& path, unsigned long& failureCode);
