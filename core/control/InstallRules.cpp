#include "core/control/InstallRules.h"

#include <cstdlib>

#include "core/text/AsciiText.h"

namespace {

const char* const kElevatedMarker = "/Elevated";

std::string WithoutTrailingBackslashes(std::string path) {
  while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  return path;
}

}  // namespace

std::string WithTrailingBackslash(const std::string& path) {
  if (path.empty() || path.back() == '\\') return path;
  return path + "\\";
}

std::string LastPathComponent(const std::string& directory) {
  const std::string trimmed = WithoutTrailingBackslashes(directory);
  const size_t cut = trimmed.find_last_of("\\:");
  return cut == std::string::npos ? trimmed : trimmed.substr(cut + 1);
}

std::string InstallDestination(const std::string& base, const std::string& programName) {
  return WithTrailingBackslash(base) + programName;
}

const std::vector<std::string>& PackageEntries() {
  static const std::vector<std::string> entries = {"Install.exe", "Readme.txt", "Help.html", "Help.hlp",
                                                   "CalendarSkins"};
  return entries;
}

std::vector<std::string> InstalledEntries(const std::string& programName) {
  std::vector<std::string> entries = PackageEntries();
  entries.front() = programName + ".exe";
  return entries;
}

std::vector<std::string> ProgramDataEntries(const std::string& programName) {
  return {programName + ".ini", programName + ".ini.bak", "Errors.log", "CalendarSkins"};
}

bool IsSameOrInsideDirectory(const std::string& directory, const std::string& folder) {
  const std::string inner = WithoutTrailingBackslashes(directory), outer = WithoutTrailingBackslashes(folder);
  if (outer.empty() || inner.size() < outer.size()) return false;
  if (!SameTextAscii(inner.substr(0, outer.size()), outer)) return false;
  return inner.size() == outer.size() || inner[outer.size()] == '\\';
}

bool IsInsideListedFolder(const std::string& directory, const std::string& folderList) {
  size_t start = 0;
  while (start <= folderList.size()) {
    size_t end = folderList.find(';', start);
    if (end == std::string::npos) end = folderList.size();
    const std::string folder = folderList.substr(start, end - start);
    if (!folder.empty() && IsSameOrInsideDirectory(directory, folder)) return true;
    start = end + 1;
  }
  return false;
}

bool IsProtectedDirectory(const std::string& directory, const std::vector<std::string>& protectedFolders) {
  const std::string trimmed = WithoutTrailingBackslashes(directory);
  // Empty, "C:" or "\\server" style roots, and anything without a folder below a root.
  if (trimmed.size() <= 2 || LastPathComponent(trimmed).empty()) return true;
  if (trimmed.size() >= 2 && trimmed[1] == ':' && trimmed.find('\\') == std::string::npos) return true;
  for (const std::string& folder : protectedFolders) {
    // The folder itself, or any folder that holds it (such as the folder of all profiles).
    if (IsSameOrInsideDirectory(folder, trimmed)) return true;
  }
  return false;
}

bool ShouldRestartElevated(bool canWriteFolder, bool canWriteUninstallKey, bool isElevatedRestart) {
  return !isElevatedRestart && !(canWriteFolder && canWriteUninstallKey);
}

std::string QuoteArgument(const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes count as escapes only before a quote.
    quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, '\\');
  return quoted + "\"";
}

std::string ElevatedRestartParameters(const std::vector<std::string>& arguments, unsigned long parentProcessId,
                                      const std::string& folder) {
  std::string parameters;
  for (size_t i = 1; i < arguments.size(); ++i) parameters += QuoteArgument(arguments[i]) + " ";
  return parameters + kElevatedMarker + " " + std::to_string(parentProcessId) + " " + QuoteArgument(folder);
}

TElevatedRestart ParseElevatedRestart(const std::vector<std::string>& arguments) {
  TElevatedRestart restart;
  for (size_t i = 1; i < arguments.size(); ++i) {
    if (!SameTextAscii(arguments[i], kElevatedMarker)) continue;
    restart.IsRestart = true;
    if (i + 1 < arguments.size()) restart.ParentProcessId = std::strtoul(arguments[i + 1].c_str(), nullptr, 10);
    if (i + 2 < arguments.size()) restart.Folder = arguments[i + 2];
    break;
  }
  return restart;
}
