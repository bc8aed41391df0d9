// The shell's folder browser.
#pragma once

#include <windows.h>

#include <string>

// Lets the user choose a file-system directory under the desktop. The owner
// and the program's other windows are disabled while the browser is open.
// False when the user cancels.
bool BrowseForDirectory(HWND owner, const std::string& title, std::string& path);
