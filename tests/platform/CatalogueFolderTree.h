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

  // The root in UTF-16, for names the program's code page cannot hold.
  std::wstring WideRoot() const { return Wide(Root); }

  static std::wstring Wide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    wide.pop_back();
    return wide;
  }

  std::string Root;

 private:
  // Through the wide calls, so that names in any script go too.
  static void RemoveTree(const std::string& path) { RemoveTreeWide(Wide(path)); }
  static void RemoveTreeWide(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL | (attributes & FILE_ATTRIBUTE_DIRECTORY));
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      DeleteFileW(path.c_str());
      return;
    }
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
      WIN32_FIND_DATAW entry;
      HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &entry);
      if (search != INVALID_HANDLE_VALUE) {
        do {
          const std::wstring name = entry.cFileName;
          if (name != L"." && name != L"..") RemoveTreeWide(path + L"\\" + name);
        } while (FindNextFileW(search, &entry));
        FindClose(search);
      }
    }
    RemoveDirectoryW(path.c_str());
  }
};
