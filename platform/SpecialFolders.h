// The shell's special folders, each with a trailing backslash.
#pragma once

#include <string>

// SHGetFolderPathA with CSIDL_FLAG_CREATE; empty when the shell has none.
std::string GetSystemDirectoryPath(int csidl);
