#include "core/catalogue/LinkRules.h"

#include "core/catalogue/PathParts.h"

bool IsLinkFile(const std::string& path) {
  const std::string extension = ExtensionPart(path);
  return SameTextAscii(extension, ".lnk") || SameTextAscii(extension, ".pif");
}

std::string LinkPathForTarget(const std::string& folder, const std::string& target) {
  std::string name = FileNamePart(target);
  const std::string extension = ExtensionPart(name);
  name.resize(name.size() - extension.size());
  std::string path = folder;
  if (!path.empty() && path.back() != '\\') path += '\\';
  return path + name + ".lnk";
}

bool LinkNeedsRewrite(const TLinkFields& existing, const TLinkFields& wanted, bool minimized) {
  return existing.ReferencePath != wanted.ReferencePath || existing.WorkingPath != wanted.WorkingPath ||
         existing.Arguments != wanted.Arguments || (existing.ShowCommand == 7) != minimized;
}
