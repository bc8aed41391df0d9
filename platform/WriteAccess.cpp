#include "platform/WriteAccess.h"

#include <windows.h>

#include "core/control/InstallRules.h"
#include "core/catalogue/PathParts.h"
#include "platform/HandleHolders.h"

namespace {

const char* const kUnwritableFoldersVariable = "MURALOTROPE_TEST_UNWRITABLE_FOLDERS";

bool IsDeclaredUnwritable(const std::string& folder) {
  const DWORD size = GetEnvironmentVariableA(kUnwritableFoldersVariable, nullptr, 0);
  if (size == 0) return false;
  std::string list(size, '\0');
  list.resize(GetEnvironmentVariableA(kUnwritableFoldersVariable, list.data(), size));
  return IsInsideListedFolder(folder, list);
}

bool FolderExists(const std::string& folder) {
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The folder, or the nearest one above it that exists; empty when none does.
std::string NearestExistingFolder(std::string folder) {
  while (!folder.empty() && !FolderExists(WithTrailingBackslash(folder))) {
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    const std::string parent = DirectoryPart(folder);
    if (parent.empty() || parent.size() >= folder.size()) return {};
    folder = parent;
  }
  return folder;
}

}  // namespace

bool CanWriteInFolder(const std::string& folder) {
  if (IsDeclaredUnwritable(folder)) return false;
  const std::string existing = NearestExistingFolder(folder);
  if (existing.empty()) return false;
  for (int attempt = 0; attempt < 10; ++attempt) {
    const std::string probe = WithTrailingBackslash(existing) + "~Muralotrope_write_check_" +
                              std::to_string(GetCurrentProcessId()) + "_" + std::to_string(attempt) + ".tmp";
    const THandleHolder file(CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                         FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE,
                                         nullptr));
    if (file.Valid()) return true;
    // A name left by an earlier run is no answer; any other refusal is.
    if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) return false;
  }
  return false;
}
