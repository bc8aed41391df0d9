// Shortcut files through the shell's link object: the autorun shortcut and
// the installer's shortcuts.
#pragma once

#include <cstdint>
#include <string>

class TLinkFile {
 public:
  bool IsInfoLoaded = false;
  uint32_t Attributes = 0;
  double CreationTime = 0, LastAccessTime = 0, LastWriteTime = 0;
  uint64_t Size = 0;
  std::string ReferencePath, WorkingPath, Arguments, Description, IconPath;
  int IconIndex = 0;
  uint16_t HotKey = 0;
  int ShowCommand = 0;

  void Reset();
  bool Load(const std::string& linkPath, bool resolve);
  bool Save(const std::string& linkPath, bool replace);
};

// The full path of a path: drives become their root, "~" short names their long form.
std::string FullLinkPath(const std::string& path);

bool CopyFileAsLink(const std::string& target, const std::string& linkPath, bool replace, bool minimized,
                    bool workingDirectory, const std::string& arguments);
bool CopyFileAsLinkWithParam(const std::string& target, const std::string& linkPath, const std::string& arguments,
                             bool replace);
// Creates, rewrites or deletes the shortcut to target in folder to match status.
bool MakeLinkByStatus(const std::string& folder, const std::string& target, const std::string& workingPath,
                      bool status, bool minimized, const std::string& arguments);
std::string LinkExtension(const std::string& target);
