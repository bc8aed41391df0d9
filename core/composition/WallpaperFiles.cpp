#include "core/composition/WallpaperFiles.h"

namespace {

bool HasDirectoryPart(const std::string& path) {
  return path.find_last_of("\\:") != std::string::npos;
}

}  // namespace

std::string TempDirectoryPath(const std::string& reported,
                              const std::function<std::string(const std::string&)>& longPathOf) {
  std::string path = reported;
  if (!path.empty() && path.back() != '\\') path += '\\';
  if (path.find('~') != std::string::npos && longPathOf) {
    const std::string longPath = longPathOf(path);
    if (!longPath.empty()) path = longPath;
  }
  return path;
}

std::string WallpaperFilePath(const std::string& tempDirectory) {
  return tempDirectory + kWallpaperFileName;
}

std::string ResolveWallpaperPath(const std::string& fileName, const std::string& tempDirectory) {
  return HasDirectoryPart(fileName) ? fileName : tempDirectory + fileName;
}

std::string RunFileParametersText(const std::string& parameters, bool quote) {
  if (parameters.empty()) return "";
  return quote ? " \"" + parameters + "\"" : " " + parameters;
}
