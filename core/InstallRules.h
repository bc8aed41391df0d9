// The installer's path rules.
#pragma once

#include <string>
#include <vector>

// Adds a trailing backslash when the path has none (an empty path stays empty).
std::string WithTrailingBackslash(const std::string& path);

// The last component of a directory path, trailing backslashes ignored.
std::string LastPathComponent(const std::string& directory);

// Where an install goes: the base folder plus the distribution folder's own name.
std::string InstallDestination(const std::string& base, const std::string& sourceDirectory);

// True when the directory is the folder itself or lies anywhere below it
// (compared without regard to case or trailing backslashes).
bool IsSameOrInsideDirectory(const std::string& directory, const std::string& folder);

// True when deleting the directory would destroy something that is not the
// program's: a drive root, one of the given protected folders or a folder
// holding one (compared without regard to case or trailing backslashes).
bool IsProtectedDirectory(const std::string& directory, const std::vector<std::string>& protectedFolders);
