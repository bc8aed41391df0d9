// Whole-directory operations of the installer.
#pragma once

#include <string>
#include <vector>

// Copies (copy = true) or moves away (copy = false: deletes the source files
// and finally the source directory) a directory tree, skipping hidden and
// system entries.
bool CopyDeleteDirectory(const std::string& source, const std::string& destination, bool copy);
// Renames a file, replacing an existing different destination when asked.
bool MyRenameFile(const std::string& source, const std::string& destination, bool replace);
// Deletes a directory and everything in it; files in use stay behind. Records, never shows.
bool DeleteDirectoryNoErrors(const std::string& directory);

// Copies the named entries of the source folder (files, and folders with
// everything in them) into the destination, which is made when missing;
// entries the source lacks, and hidden or system ones, are left out. A failure
// shows the same box as CopyDeleteDirectory.
bool CopyPackageFiles(const std::string& source, const std::string& destination, const std::vector<std::string>& names);
// Deletes the named entries of a folder (folders with everything in them), then
// the folder itself when nothing else is left in it. Records, never shows;
// files in use stay.
bool DeleteNamedEntries(const std::string& folder, const std::vector<std::string>& names);
// True when the file exists and another process holds it against writing, as
// a running program holds its own file.
bool IsFileInUse(const std::string& path);
