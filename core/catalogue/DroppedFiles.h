// What files and directories dropped on the main window add to the directory
// list: a directory (or a bare drive) itself, a file the directory holding it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/catalogue/DirectoryList.h"

extern const char* const kNoFilesDroppedMessage;   // "No files are dropped."
extern const char* const kFailedToDropFilesMessage;  // "Failed to drop files."

// The directory a dropped path stands for: the path itself when it is an
// existing directory or a bare drive, else its directory part without the
// trailing backslash (a file in a drive's root gives the bare drive).
std::string DroppedPathDirectory(const std::string& path, bool isExistingDirectory);

struct TDropResult {
  int Added = 0;                    // rows appended
  bool TooManyDirectories = false;  // stopped at a full list: warn with kTooManyDirectoriesMessage
};

// Adds each dropped path's directory, active and not recursive, in drop order;
// stops at the first path met while the list is full.
TDropResult AddDroppedPaths(TDirectoryList& list, const std::vector<std::string>& droppedFiles,
                            const std::function<bool(const std::string& path)>& isDirectory);
