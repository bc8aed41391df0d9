#include "platform/SpecialFolders.h"

#include <windows.h>
#include <shlobj.h>

#include "core/InstallRules.h"

std::string GetSystemDirectoryPath(int csidl) {
  char path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, 0, path))) return {};
  return WithTrailingBackslash(path);
}
