#include "platform/SettingsDirectory.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "core/calendar/CalendarSkinFiles.h"
#include "core/trace/FunStatus.h"
#include "core/control/InstallRules.h"
#include "core/text/AsciiText.h"
#include "core/settings/SettingsHome.h"
#include "platform/HandleHolders.h"
#include "platform/Program.h"
#include "platform/SpecialFolders.h"
#include "platform/WriteAccess.h"

namespace {

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> SkinFilesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  const TFileSearchHolder search(FindFirstFileA((folder + "*" + kSkinFileExtension).c_str(), &entry));
  if (!search.Valid()) return names;
  do {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(entry.cFileName);
  } while (FindNextFileA(search.Get(), &entry));
  return names;
}

// A copy that appears whole or not at all: a half-copied options file would
// count as the user's own and stop every later migration.
bool CopyNewFile(const std::string& from, const std::string& to) {
  const std::string temporary = to + ".tmp" + std::to_string(GetCurrentProcessId());
  SetLastError(0);
  if (CopyFileA(from.c_str(), temporary.c_str(), FALSE) && MoveFileExA(temporary.c_str(), to.c_str(), 0)) return true;
  DeleteFileA(temporary.c_str());
  return false;
}

}  // namespace

std::string ChooseSettingsDirectory(const std::string& programDirectory, const std::string& userDataFolder) {
  const TSettingsHome home = ChooseSettingsHome(CanWriteInFolder(programDirectory), !userDataFolder.empty());
  if (home == TSettingsHome::BesideProgram) return WithTrailingBackslash(programDirectory);
  return WithTrailingBackslash(userDataFolder) + kSettingsFolderName + "\\";
}

std::string GetSettingsDirectory() {
  static const std::string directory =
      ChooseSettingsDirectory(TProgram::GetProgramDirectory(), GetSystemDirectoryPath(CSIDL_APPDATA));
  return directory;
}

std::string GetPathInSettingsDirectory(const std::string& fileName) { return GetSettingsDirectory() + fileName; }

bool MigrateSettings(const std::string& programDirectory, const std::string& settingsDirectory) {
  FUN_TRACE("MigrateSettings");
  FUN_GUARD({
    const std::string from = WithTrailingBackslash(programDirectory), to = WithTrailingBackslash(settingsDirectory);
    const std::string skinsFrom = from + kSkinFolderName + "\\", skinsTo = to + kSkinFolderName + "\\";
    const TSettingsMigration plan =
        PlanSettingsMigration(FileExists(to + kOptionsFileName), FileExists(from + kOptionsFileName),
                              SkinFilesIn(skinsFrom), SkinFilesIn(skinsTo));
    if (!plan.SkinFiles.empty()) CreateDirectoryA(skinsTo.c_str(), nullptr);
    for (const std::string& skin : plan.SkinFiles)
      if (!CopyNewFile(skinsFrom + skin, skinsTo + skin))
        FUN_RAISE("Failed to copy file.", skinsFrom + skin, skinsTo + skin, GetLastError());
    // The options file last: its presence marks the migration as done.
    if (plan.CopyOptionsFile && !CopyNewFile(from + kOptionsFileName, to + kOptionsFileName))
      FUN_RAISE("Failed to copy file.", from + kOptionsFileName, to + kOptionsFileName, GetLastError());
  });
  return !trace_.Failed();
}

void PrepareSettingsDirectory() {
  FUN_TRACE("PrepareSettingsDirectory");
  FUN_GUARD({
    const std::string directory = GetSettingsDirectory();
    CreateDirectoryA(directory.c_str(), nullptr);
    if (!SameTextAscii(directory, WithTrailingBackslash(TProgram::GetProgramDirectory())))
      MigrateSettings(TProgram::GetProgramDirectory(), directory);
    // The skins live in the settings folder; an existing folder is fine.
    CreateDirectoryA((directory + kSkinFolderName).c_str(), nullptr);
  });
}
