#include "core/catalogue/PathParts.h"

#include <cstddef>

namespace {

// Length of the directory part.
size_t DirectoryPartLength(const std::string& path) {
  if (IsBareDrive(path)) return 0;
  const size_t cut = path.find_last_of("\\:");
  return cut == std::string::npos ? 0 : cut + 1;
}

}  // namespace

bool IsBareDrive(const std::string& path) { return path.size() >= 2 && path.back() == ':'; }

std::string DirectoryPart(const std::string& path) {
  return path.substr(0, DirectoryPartLength(path));
}

std::string FileNamePart(const std::string& path) {
  return path.substr(DirectoryPartLength(path));
}

std::string ExtensionPart(const std::string& path) {
  const std::string name = FileNamePart(path);
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}
