// The shell's special folders, each with a trailing backslash.
#pragma once

#include <string>

// SHGetFolderPathA with CSIDL_FLAG_CREATE (trace "GetSystemDirectoryPath").
// When the shell has none: empty, and "Failed to get folder." recorded, so
// that a caller never builds a path relative to the current directory.
std::string GetSystemDirectoryPath(int csidl);

// True when the directory is a drive root, the system's or the user's own
// folder (Windows, Program Files, the profile, Desktop, Documents, ...), by
// name or as the same folder on disk reached by another spelling.
bool IsUserOrSystemFolder(const std::string& directory);
