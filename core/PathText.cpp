#include "core/PathText.h"

namespace {

bool IsBareDrive(const std::string& path) { return path.size() >= 2 && path.back() == ':'; }

size_t DirectoryLength(const std::string& path) {
  if (IsBareDrive(path)) return 0;
  const size_t cut = path.find_last_of("\\:");
  return cut == std::string::npos ? 0 : cut + 1;
}

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string DirectoryPart(const std::string& path) { return path.substr(0, DirectoryLength(path)); }

std::string FileNamePart(const std::string& path) { return path.substr(DirectoryLength(path)); }

bool EqualsIgnoreCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  return true;
}

std::string AsciiLower(std::string text) {
  for (char& c : text) c = FoldAscii(c);
  return text;
}

std::string AsciiUpper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}
