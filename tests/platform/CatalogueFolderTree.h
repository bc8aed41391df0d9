// A scratch folder tree in the temporary directory for the catalogue's tests,
// removed with everything in it (links are removed, never followed).
#pragma once

#include <windows.h>

#include <string>

class TCatalogueFolderTree {
 public:
  explicit TCatalogueFolderTree(const std::string& name) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    Root = std::string(folder) + name + std::to_string(GetCurrentProcessId());
    RemoveTree(Root);
    CreateDirectoryA(Root.c_str(), nullptr);
  }
  ~TCatalogueFolderTree() { RemoveTree(Root); }
  TCatalogueFolderTree(const TCatalogueFolderTree&) = delete;
  TCatalogueFolderTree& operator=(const TCatalogueFolderTree&) = delete;

  // A path below the root ("sub\\a.jpg").
  std::string Path(const std::string& relative) const { return Root + "\\" + relative; }

  void Directory(const std::string& relative, DWORD attributes = 0) const {
    CreateDirectoryA(Path(relative).c_str(), nullptr);
    if (attributes) SetFileAttributesA(Path(relative).c_str(), attributes);
  }

  void File(const std::string& relative, DWORD attributes = 0) const {
    HANDLE file = CreateFileA(Path(relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    if (attributes) SetFileAttributesA(Path(relative).c_str(), attributes);
  }

  std::string Root;

 private:
  static void RemoveTree(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL | (attributes & FILE_ATTRIBUTE_DIRECTORY));
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      DeleteFileA(path.c_str());
      return;
    }
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
      WIN32_FIND_DATAA entry;
      HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
      if (search != INVALID_HANDLE_VALUE) {
        do {
          const std::string name = entry.cFileName;
          if (name != "." && name != "..") RemoveTree(path + "\\" + name);
        } while (FindNextFileA(search, &entry));
        FindClose(search);
      }
    }
    RemoveDirectoryA(path.c_str());
  }
};
