#include "core/catalogue/DroppedFiles.h"

#include "core/catalogue/PathParts.h"

const char* const kNoFilesDroppedMessage = "No files are dropped.";
const char* const kFailedToDropFilesMessage = "Failed to drop files.";

std::string DroppedPathDirectory(const std::string& path, bool isExistingDirectory) {
  if (isExistingDirectory || IsBareDrive(path)) return path;
  std::string directory = DirectoryPart(path);
  if (!directory.empty() && directory.back() == '\\') directory.pop_back();
  return directory;
}

TDropResult AddDroppedPaths(TDirectoryList& list, const std::vector<std::string>& droppedFiles,
                            const std::function<bool(const std::string& path)>& isDirectory) {
  TDropResult result;
  for (const std::string& path : droppedFiles) {
    if (list.IsFull()) {
      result.TooManyDirectories = true;
      break;
    }
    const bool directory = !IsBareDrive(path) && isDirectory(path);
    if (list.AddDirectoryEntry(DroppedPathDirectory(path, directory), true, false)) ++result.Added;
  }
  return result;
}
