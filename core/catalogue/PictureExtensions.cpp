#include "core/catalogue/PictureExtensions.h"

#include <algorithm>

#include "core/catalogue/PathParts.h"

std::vector<std::string> GetPictureExtensions(const std::vector<std::string>& decoderPatterns,
                                              const TCollation& compare) {
  std::vector<std::string> extensions;
  for (const std::string& patterns : decoderPatterns) {
    size_t begin = 0;
    while (begin <= patterns.size()) {
      size_t end = patterns.find(';', begin);
      if (end == std::string::npos) end = patterns.size();
      std::string piece = patterns.substr(begin, end - begin);
      if (!piece.empty() && piece[0] == '*') piece.erase(0, 1);
      // An empty piece (";;" or a trailing ";") would make every file without
      // an extension count as a picture.
      if (!piece.empty()) extensions.push_back(piece);
      begin = end + 1;
    }
  }
  SortUniqueTexts(extensions, compare);
  return extensions;
}

std::string GetPictureExtensionsAsFilter(
    const std::vector<std::string>& decoderPatterns,
    const std::function<std::string(const std::string&)>& lowerCase) {
  std::string filter;
  for (size_t i = 0; i < decoderPatterns.size(); ++i) {
    if (i > 0) filter += ';';
    filter += decoderPatterns[i];
  }
  return lowerCase ? lowerCase(filter) : LowerCaseAscii(filter);
}

std::string DecoderPatternFromExtensions(const std::string& extensions) {
  std::string pattern;
  size_t begin = 0;
  while (begin <= extensions.size()) {
    size_t end = extensions.find_first_of(",;", begin);
    if (end == std::string::npos) end = extensions.size();
    size_t first = extensions.find_first_not_of(" \t*", begin);
    size_t last = extensions.find_last_not_of(" \t", end == 0 ? 0 : end - 1);
    if (first != std::string::npos && first < end && last != std::string::npos && last >= first) {
      std::string piece = extensions.substr(first, last - first + 1);
      if (piece != ".") {
        if (!pattern.empty()) pattern += ';';
        pattern += piece[0] == '.' ? "*" + piece : "*." + piece;
      }
    }
    begin = end + 1;
  }
  return pattern;
}

bool IsPictureFile(const std::string& path, const std::vector<std::string>& pictureExtensionList,
                   const TCollation& compare) {
  const std::string extension = ExtensionPart(path);
  if (extension.empty()) return false;
  const auto found = std::lower_bound(
      pictureExtensionList.begin(), pictureExtensionList.end(), extension,
      [&](const std::string& listed, const std::string& wanted) { return compare(listed, wanted) < 0; });
  return found != pictureExtensionList.end() && compare(*found, extension) == 0;
}
