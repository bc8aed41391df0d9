// Writing the composed wallpaper and handing it to the desktop.
#pragma once

#include <string>

#include "platform/ScreenBitmap.h"

// The user's temporary directory with a trailing backslash, in long form; empty
// (and "Failed to get path." recorded) when the system has none.
std::string GetTempDirectory();

// Saves the bitmap as a BMP file. It is written beside the target (over the file of
// the wallpaper before last where nobody holds it, else under a temporary name) and
// then moved over it, so that the desktop never reads a half-written file.
bool SaveBitmapAsBmpFile(const TScreenBitmap& bitmap, const std::string& path);

// Installs a BMP file as the desktop wallpaper and announces the change; a bare file
// name is taken from the temporary directory, and fails when there is none.
// "Failed to set wallpaper." on refusal.
bool SetFileAsWallpaper(const std::string& fileName);
