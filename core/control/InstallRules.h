// The installer's path rules: where a package goes, what it holds, what an
// uninstall takes away, and how the installer restarts itself with
// administrator rights.
#pragma once

#include <string>
#include <vector>

// Adds a trailing backslash when the path has none (an empty path stays empty).
std::string WithTrailingBackslash(const std::string& path);

// The last component of a directory path, trailing backslashes ignored.
std::string LastPathComponent(const std::string& directory);

// Where an install goes: a folder named after the program in the base folder,
// whatever the distribution's own folder is called.
std::string InstallDestination(const std::string& base, const std::string& programName);

// The entries of a distribution folder that make up the package; whatever else
// lies beside them (the user's own files) is not installed. Optional entries
// that are missing are simply not copied.
const std::vector<std::string>& PackageEntries();

// What an install leaves in its folder: the package with "Install.exe" under
// the program's own name.
std::vector<std::string> InstalledEntries(const std::string& programName);

// What the program writes beside itself when its settings live there: the
// options file (and the copy kept after a failed load), the error log, the skins.
std::vector<std::string> ProgramDataEntries(const std::string& programName);

// True when the directory is the folder itself or lies anywhere below it
// (compared without regard to case or trailing backslashes).
bool IsSameOrInsideDirectory(const std::string& directory, const std::string& folder);

// True when the directory is, or lies inside, one of the folders of a
// semicolon-separated list (empty entries ignored).
bool IsInsideListedFolder(const std::string& directory, const std::string& folderList);

// True when deleting the directory would destroy something that is not the
// program's: a drive root, one of the given protected folders or a folder
// holding one (compared without regard to case or trailing backslashes).
bool IsProtectedDirectory(const std::string& directory, const std::vector<std::string>& protectedFolders);

// Install and uninstall restart themselves with administrator rights when they
// cannot write where they must, once: a restarted copy never restarts again.
bool ShouldRestartElevated(bool canWriteFolder, bool canWriteUninstallKey, bool isElevatedRestart);

// Quotes an argument so that the system's command-line parser gives it back
// unchanged (backslashes before a quote or the closing quote are doubled).
std::string QuoteArgument(const std::string& argument);

// What a restart with administrator rights carries: the program's own
// arguments, then "/Elevated", the id of the process that waits for it and the
// folder the user chose.
struct TElevatedRestart {
  bool IsRestart = false;
  unsigned long ParentProcessId = 0;
  std::string Folder;
};

// The parameters (without the program path) of the restart.
std::string ElevatedRestartParameters(const std::vector<std::string>& arguments, unsigned long parentProcessId,
                                      const std::string& folder);

// Finds the restart marker among the arguments (argument 0, the program, excluded).
TElevatedRestart ParseElevatedRestart(const std::vector<std::string>& arguments);
