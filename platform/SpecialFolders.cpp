#include "platform/SpecialFolders.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "core/trace/FunStatus.h"
#include "core/control/InstallRules.h"
#include "platform/HandleHolders.h"

namespace {

std::vector<std::string> UserAndSystemFolders() {
  std::vector<std::string> folders;
  for (int csidl : {CSIDL_WINDOWS, CSIDL_SYSTEM, CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86, CSIDL_PROFILE,
                    CSIDL_DESKTOPDIRECTORY, CSIDL_PERSONAL, CSIDL_MYPICTURES, CSIDL_APPDATA, CSIDL_LOCAL_APPDATA,
                    CSIDL_PROGRAMS, CSIDL_STARTUP, CSIDL_COMMON_PROGRAMS}) {
    char path[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathA(nullptr, csidl, nullptr, 0, path))) folders.emplace_back(path);
  }
  char profile[MAX_PATH] = {};
  if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_PROFILE, nullptr, 0, profile)))
    folders.push_back(std::string(profile) + "\\Downloads");
  return folders;
}

// The volume and file number of a directory; false when the system gives none.
bool DirectoryIdentity(const std::string& directory, BY_HANDLE_FILE_INFORMATION& info) {
  const THandleHolder handle(CreateFileA(directory.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!handle.Valid()) return false;
  return GetFileInformationByHandle(handle.Get(), &info) && (info.nFileIndexHigh || info.nFileIndexLow);
}

bool IsSameDirectoryOnDisk(const std::string& a, const std::string& b) {
  BY_HANDLE_FILE_INFORMATION first = {}, second = {};
  return DirectoryIdentity(a, first) && DirectoryIdentity(b, second) &&
         first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

}  // namespace

std::string GetSystemDirectoryPath(int csidl) {
  FUN_TRACE("GetSystemDirectoryPath");
  std::string folder;
  FUN_GUARD({
    char path[MAX_PATH] = {};
    const HRESULT result = SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, 0, path);
    if (FAILED(result) || path[0] == '\0') {
      FUN_RAISE("Failed to get folder.", "CSIDL " + std::to_string(csidl), "", static_cast<uint32_t>(result));
      return;
    }
    folder = WithTrailingBackslash(path);
  });
  return folder;
}

bool IsUserOrSystemFolder(const std::string& directory) {
  const std::vector<std::string> folders = UserAndSystemFolders();
  if (IsProtectedDirectory(directory, folders)) return true;
  // A short 8.3 name, a linked folder or a substituted drive can spell the same folder differently.
  char longPath[MAX_PATH * 4] = {};
  const DWORD length = GetLongPathNameA(directory.c_str(), longPath, sizeof longPath);
  if (length > 0 && length < sizeof longPath && IsProtectedDirectory(longPath, folders)) return true;
  for (const std::string& folder : folders)
    if (IsSameDirectoryOnDisk(directory, folder)) return true;
  return false;
}
