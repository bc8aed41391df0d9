#include "core/InstallRules.h"

#include "core/PathParts.h"

namespace {

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

std::string InstallDestination(const std::string& base, const std::string& sourceDirectory) {
  return WithTrailingBackslash(base) + LastPathComponent(sourceDirectory);
}

bool IsSameOrInsideDirectory(const std::string& directory, const std::string& folder) {
  const std::string inner = WithoutTrailingBackslashes(directory), outer = WithoutTrailingBackslashes(folder);
  if (outer.empty() || inner.size() < outer.size()) return false;
  if (!SameTextAscii(inner.substr(0, outer.size()), outer)) return false;
  return inner.size() == outer.size() || inner[outer.size()] == '\\';
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
