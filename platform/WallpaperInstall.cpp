#include "platform/WallpaperInstall.h"

#include <windows.h>

#include "core/trace/FunStatus.h"
#include "core/composition/WallpaperFiles.h"
#include "platform/HandleHolders.h"
#include "platform/WinText.h"

std::string GetTempDirectory() {
  FUN_TRACE("GetTempPathA");
  std::string path;
  FUN_GUARD({
    char buffer[MAX_PATH] = {};
    SetLastError(0);
    const DWORD length = GetTempPathA(MAX_PATH, buffer);
    const DWORD error = GetLastError();
    if (IsSystemError(error) || length == 0 || length >= MAX_PATH) {
      FUN_RAISE("Failed to get path.", "", "", error);
      return;
    }
    path = TempDirectoryPath(std::string(buffer, length), [](const std::string& shortPath) {
      char longPath[MAX_PATH] = {};
      const DWORD size = GetLongPathNameA(shortPath.c_str(), longPath, MAX_PATH);
      return size > 0 && size < MAX_PATH ? std::string(longPath, size) : std::string();
    });
  });
  return path;
}

namespace {

// Whoever reads the wallpaper (the desktop painting it, a picture viewer) holds
// it open for a moment, and a file cannot be renamed over while it is open:
// try again for a while before calling the save failed.
bool MoveOverBusyFile(const std::string& from, const std::string& to, DWORD& error) {
  constexpr ULONGLONG kPatienceMs = 3000;
  const ULONGLONG giveUp = GetTickCount64() + kPatienceMs;
  for (;;) {
    SetLastError(0);
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    error = GetLastError();
    const bool busy = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
    if (!busy || GetTickCount64() >= giveUp) return false;
    Sleep(20);
  }
}

// The file of the wallpaper before last rests under the spare name, to be written over
// in place by the next save: replacing the wallpaper then frees no file (which costs a
// screen's worth of pages every time) and the next write allocates none. These are the
// names beside the wallpaper's own.
struct TWallpaperFileNames {
  explicit TWallpaperFileNames(const std::string& path)
      : Part(path + ".part"), Spare(path + ".previous"), Leaving(path + ".leaving") {}
  std::string Part;     // a new file being written
  std::string Spare;    // the wallpaper before last, to be written over
  std::string Leaving;  // a second name of the wallpaper being replaced
};

// The spare, opened for writing over, when nobody else holds it (a scanner reading it
// keeps what it reads) and no other name is on it (it could be a file in use);
// otherwise a new file under the temporary name.
HANDLE OpenFileToWrite(const TWallpaperFileNames& names, bool& isSpare) {
  HANDLE file = CreateFileA(names.Spare.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  BY_HANDLE_FILE_INFORMATION information = {};
  isSpare = file != INVALID_HANDLE_VALUE && GetFileInformationByHandle(file, &information) &&
            information.nNumberOfLinks == 1;
  if (isSpare) return file;
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  return CreateFileA(names.Part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

bool SaveBitmapAsBmpFile(const TScreenBitmap& bitmap, const std::string& path) {
  FUN_TRACE("SaveBitmapAsBmpFile");
  FUN_GUARD({
    GdiFlush();  // finish any drawing still queued on the bitmap
    const TWallpaperFileNames names(path);
    bool isSpare = false;
    SetLastError(0);
    THandleHolder file(OpenFileToWrite(names, isSpare));
    if (!file.Valid()) {
      FUN_RAISE("Failed to save wallpaper file.", path, "", GetLastError());
      return;
    }
    const std::string& written = isSpare ? names.Spare : names.Part;
    // The headers and the pixels are one block: one write puts the whole file down,
    // and the tail of a spare from a larger screen is cut off.
    const DWORD size = static_cast<DWORD>(bitmap.FileImageSize());
    DWORD writtenBytes = 0;
    SetLastError(0);
    const bool wrote = WriteFile(file.Get(), bitmap.FileImage(), size, &writtenBytes, nullptr) &&
                       writtenBytes == size && SetEndOfFile(file.Get());
    DWORD error = GetLastError();
    file.Reset();  // closed before the file is renamed or deleted
    if (!wrote) {
      DeleteFileA(written.c_str());
      FUN_RAISE("Failed to save wallpaper file.", path, std::to_string(writtenBytes), error);
      return;
    }
    // The wallpaper being replaced keeps a second name, and becomes the next spare.
    // Where the file system has no links it is freed as before.
    DeleteFileA(names.Leaving.c_str());
    const bool keptOld = CreateHardLinkA(names.Leaving.c_str(), path.c_str(), nullptr);
    if (!MoveOverBusyFile(written, path, error)) {
      DeleteFileA(written.c_str());
      if (keptOld) DeleteFileA(names.Leaving.c_str());  // only a second name of the wallpaper
      FUN_RAISE("Failed to save wallpaper file.", path, "", error);
      return;
    }
    if (keptOld && !MoveFileExA(names.Leaving.c_str(), names.Spare.c_str(), MOVEFILE_REPLACE_EXISTING))
      DeleteFileA(names.Leaving.c_str());
  });
  return !trace_.Failed();
}

bool SetFileAsWallpaper(const std::string& fileName) {
  FUN_TRACE("SetFileAsWallpaper");
  FUN_GUARD({
    // A bare name lives in the temporary directory; without one it would be
    // taken from whatever the current directory happens to be.
    const bool bare = fileName.find_last_of("\\:") == std::string::npos;
    const std::string directory = bare ? GetTempDirectory() : "";
    if (bare && trace_.CalleeFailed()) return;
    std::string path = ResolveWallpaperPath(fileName, directory);
    SetLastError(0);
    if (!SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, &path[0], SPIF_UPDATEINIFILE | SPIF_SENDCHANGE)) {
      FUN_RAISE("Failed to set wallpaper.", path, "", GetLastError());
      return;
    }
  });
  return !trace_.Failed();
}
