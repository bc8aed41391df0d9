// Whole-directory operations of the installer.
#pragma once

#include <string>

// Copies (copy = true) or moves away (copy = false: deletes the source files
// and finally the source directory) a directory tree, skipping hidden and
// system entries.
bool CopyDeleteDirectory(const std::string& source, const std::string& destination, bool copy);
// Renames a file, replacing an existing different destination when asked.
bool MyRenameFile(const std::string& source, const std::string& destination, bool replace);
// Deletes a directory and everything in it; files in use stay behind. Records, never shows.
bool DeleteDirectoryNoErrors(const std::string& directory);
