#include "platform/FileOperations.h"

#include <windows.h>

#include "core/trace/FunStatus.h"
#include "core/control/InstallRules.h"
#include "platform/HandleHolders.h"

namespace {

bool IsDotEntry(const char* name) { return !strcmp(name, ".") || !strcmp(name, ".."); }

bool Skipped(DWORD attributes) {
  return attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | 0x8 /* volume label */);
}

// Clears the read-only attribute only, so that a hidden or system file keeps its other marks.
void ClearReadOnly(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
}

// The recursive walk; the caller shows the failure once for the whole tree.
bool CopyDeleteTree(const std::string& source, const std::string& destination, bool copy) {
  FUN_TRACE("CopyDeleteDirectory");
  FUN_GUARD({
    if (destination.empty()) return FUN_RAISE("Empty destination name.");
    const std::string from = WithTrailingBackslash(source), to = WithTrailingBackslash(destination);
    if (copy && IsSameOrInsideDirectory(to, from)) {
      // Copying a folder onto itself has nothing to do; into itself it would never end.
      if (IsSameOrInsideDirectory(from, to)) return;
      return FUN_RAISE("Destination is inside the source directory.", source, destination);
    }
    SetLastError(0);
    if (!CreateDirectoryExA(from.c_str(), to.c_str(), nullptr) && IsSystemErrorAllowExisting(GetLastError()))
      return FUN_RAISE("Failed to create directory.", destination, "", GetLastError());
    WIN32_FIND_DATAA entry;
    SetLastError(0);
    TFileSearchHolder search(FindFirstFileA((from + "*").c_str(), &entry));
    if (!search.Valid()) return FUN_RAISE("Failed to find first file.", source, "", GetLastError());
    do {
      if (IsDotEntry(entry.cFileName) || Skipped(entry.dwFileAttributes)) continue;
      const std::string fromPath = from + entry.cFileName, toPath = to + entry.cFileName;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        CopyDeleteTree(fromPath, toPath, copy);
        if (trace_.CalleeFailed()) break;
      } else if (copy) {
        ClearReadOnly(toPath);
        SetLastError(0);
        if (!CopyFileA(fromPath.c_str(), toPath.c_str(), FALSE)) {
          FUN_RAISE("Failed to copy file.", fromPath, toPath, GetLastError());
          break;
        }
      } else {
        ClearReadOnly(fromPath);
        DeleteFileA(fromPath.c_str());
      }
    } while (FindNextFileA(search.Get(), &entry));
    search.Reset();  // an open search keeps the folder from going
    if (!copy && !trace_.Failed()) RemoveDirectoryA(source.c_str());
  });
  return !trace_.Failed();
}

}  // namespace

bool CopyDeleteDirectory(const std::string& source, const std::string& destination, bool copy) {
  FUN_TRACE("CopyDeleteDirectory");
  FUN_GUARD({
    FUN_CALL(CopyDeleteTree(source, destination, copy));
  });
  if (trace_.Failed())
    MessageBoxA(nullptr, "Failed to process directory.", "Error", MB_OKCANCEL | MB_ICONERROR | MB_TASKMODAL);
  return !trace_.Failed();
}

bool MyRenameFile(const std::string& source, const std::string& destination, bool replace) {
  FUN_TRACE("MyRenameFile");
  FUN_GUARD({
    if (replace && lstrcmpiA(source.c_str(), destination.c_str()) != 0 &&
        GetFileAttributesA(destination.c_str()) != INVALID_FILE_ATTRIBUTES) {
      ClearReadOnly(destination);
      DeleteFileA(destination.c_str());
    }
    SetLastError(0);
    if (!MoveFileA(source.c_str(), destination.c_str()))
      FUN_RAISE("Failed to rename.", source, destination, GetLastError());
  });
  return !trace_.Failed();
}

bool DeleteDirectoryNoErrors(const std::string& directory) {
  FUN_TRACE("DeleteDirectoryNoErrors");
  FUN_GUARD({
    const std::string folder = WithTrailingBackslash(directory);
    WIN32_FIND_DATAA entry;
    SetLastError(0);
    TFileSearchHolder search(FindFirstFileA((folder + "*").c_str(), &entry));
    if (!search.Valid()) return FUN_RAISE("Can not find directory.", directory, "", GetLastError());
    bool complete = true;
    do {
      if (IsDotEntry(entry.cFileName)) continue;
      const std::string path = folder + entry.cFileName;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        // A linked folder is removed as a link; what it points at stays.
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
          complete = RemoveDirectoryA(path.c_str()) && complete;
          continue;
        }
        complete = DeleteDirectoryNoErrors(path) && complete;
      } else {
        ClearReadOnly(path);
        complete = DeleteFileA(path.c_str()) && complete;
      }
    } while (FindNextFileA(search.Get(), &entry));
    search.Reset();  // an open search keeps the folder from going
    ClearReadOnly(directory);
    complete = RemoveDirectoryA(directory.c_str()) && complete;
    if (!complete) FUN_RAISE("Failed to delete directory content.", directory, "", GetLastError());
  });
  return !trace_.Failed();
}

bool CopyPackageFiles(const std::string& source, const std::string& destination, const std::vector<std::string>& names) {
  FUN_TRACE("CopyPackageFiles");
  FUN_GUARD({
    if (destination.empty()) return FUN_RAISE("Empty destination name.");
    const std::string from = WithTrailingBackslash(source), to = WithTrailingBackslash(destination);
    SetLastError(0);
    if (!CreateDirectoryA(to.c_str(), nullptr) && IsSystemErrorAllowExisting(GetLastError()))
      return FUN_RAISE("Failed to create directory.", destination, "", GetLastError());
    for (const std::string& name : names) {
      const DWORD attributes = GetFileAttributesA((from + name).c_str());
      if (attributes == INVALID_FILE_ATTRIBUTES || Skipped(attributes)) continue;
      if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        FUN_CALL(CopyDeleteTree(from + name, to + name, true));
        continue;
      }
      ClearReadOnly(to + name);
      SetLastError(0);
      if (!CopyFileA((from + name).c_str(), (to + name).c_str(), FALSE))
        return FUN_RAISE("Failed to copy file.", from + name, to + name, GetLastError());
    }
  });
  if (trace_.Failed())
    MessageBoxA(nullptr, "Failed to process directory.", "Error", MB_OKCANCEL | MB_ICONERROR | MB_TASKMODAL);
  return !trace_.Failed();
}

bool DeleteNamedEntries(const std::string& folder, const std::vector<std::string>& names) {
  FUN_TRACE("DeleteNamedEntries");
  FUN_GUARD({
    const std::string in = WithTrailingBackslash(folder);
    if (GetFileAttributesA(in.c_str()) == INVALID_FILE_ATTRIBUTES)
      return FUN_RAISE("Can not find directory.", folder, "", GetLastError());
    bool complete = true;
    for (const std::string& name : names) {
      const std::string path = in + name;
      const DWORD attributes = GetFileAttributesA(path.c_str());
      if (attributes == INVALID_FILE_ATTRIBUTES) continue;
      if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        complete = DeleteDirectoryNoErrors(path) && complete;
      } else {
        ClearReadOnly(path);
        complete = DeleteFileA(path.c_str()) && complete;
      }
    }
    // Whatever else is in the folder was not put there by the program.
    ClearReadOnly(folder);
    RemoveDirectoryA(folder.c_str());
    if (!complete) FUN_RAISE("Failed to delete directory content.", folder, "", GetLastError());
  });
  return !trace_.Failed();
}

bool IsFileInUse(const std::string& path) {
  SetLastError(0);
  const THandleHolder file(CreateFileA(path.c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      0, nullptr));
  return !file.Valid() && GetLastError() == ERROR_SHARING_VIOLATION;
}
