// Names and paths of the composed wallpaper file and of files opened with their program.
#pragma once

#include <functional>
#include <string>

inline constexpr const char* kWallpaperFileName = "Muralotrope_Wallpaper.bmp";

// The temporary directory as the program uses it: with a trailing backslash, and in its
// long form when it holds a "~" and longPathOf gives one (an empty answer keeps it).
std::string TempDirectoryPath(const std::string& reported,
                              const std::function<std::string(const std::string&)>& longPathOf);

// Where the composed wallpaper is written.
std::string WallpaperFilePath(const std::string& tempDirectory);

// The path to install as wallpaper: a bare file name is taken from the temporary directory.
std::string ResolveWallpaperPath(const std::string& fileName, const std::string& tempDirectory);

// The parameters text handed to the shell: empty, " \"p\"" when quoted, else " p".
std::string RunFileParametersText(const std::string& parameters, bool quote);
