#include "platform/StoredTextFiles.h"

#include <windows.h>

#include "core/catalogue/PathParts.h"
#include "core/settings/StoredTextEncoding.h"
#include "platform/LegacyCodePage.h"
#include "platform/HandleHolders.h"
#include "platform/MessageBoxes.h"

TWinStoredTextFiles& StoredTextFiles() {
  static TWinStoredTextFiles files;
  return files;
}

char UserDecimalSeparator() {
  wchar_t separator[8] = {};
  // A separator outside ASCII cannot stand as one byte in a stored number.
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) > 1 && separator[0] < 0x80)
    return static_cast<char>(separator[0]);
  return '.';
}

TStoredTextFileAccess::TReadOutcome TWinStoredTextFiles::ReadWholeFile(const std::string& path, size_t maximumSize,
                                                                        std::string& bytes, uint32_t& errorCode) {
  bytes.clear();
  SetLastError(0);
  const THandleHolder holder(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                         OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  HANDLE file = holder.Get();
  if (!holder.Valid()) {
    errorCode = GetLastError();
    if (errorCode == ERROR_FILE_NOT_FOUND || errorCode == ERROR_PATH_NOT_FOUND) return TReadOutcome::Missing;
    return TReadOutcome::Failed;
  }
  LARGE_INTEGER size = {};
  bool ok = GetFileSizeEx(file, &size) != FALSE;
  if (ok && static_cast<unsigned long long>(size.QuadPart) > maximumSize) {
    errorCode = 0;
    return TReadOutcome::TooLarge;
  }
  if (ok) {
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    ok = bytes.empty() || (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                           read == bytes.size());
  }
  errorCode = ok ? 0 : GetLastError();
  // The store holds UTF-8: a file of an earlier version, in the legacy code
  // page, becomes UTF-8 here and is saved as UTF-8 from then on.
  if (ok) bytes = StoredTextAsUtf8(bytes, LegacyTextToUtf8);
  return ok ? TReadOutcome::Read : TReadOutcome::Failed;
}

bool TWinStoredTextFiles::FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool TWinStoredTextFiles::IsReadOnly(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

bool TWinStoredTextFiles::ClearAttributes(const std::string& path, uint32_t& errorCode) {
  SetLastError(0);
  const bool ok = SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL) != FALSE;
  errorCode = ok ? 0 : GetLastError();
  return ok;
}

bool ReplaceFileAtomically(const std::string& path, const std::string& bytes, uint32_t& errorCode) {
  const std::string temporary = path + ".tmp" + std::to_string(GetCurrentProcessId());
  SetLastError(0);
  THandleHolder holder(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                   nullptr));
  HANDLE file = holder.Get();
  if (!holder.Valid()) {
    errorCode = GetLastError();
    return false;
  }
  DWORD written = 0;
  bool ok = bytes.empty() ||
            (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size());
  // The data must be on disk before the rename makes it the file.
  ok = ok && FlushFileBuffers(file);
  errorCode = ok ? 0 : GetLastError();
  holder.Reset();  // only a closed file can be renamed
  if (ok) {
    ok = MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    if (!ok) errorCode = GetLastError();
  }
  if (!ok) DeleteFileA(temporary.c_str());
  return ok;
}

bool TWinStoredTextFiles::WriteFileAtomically(const std::string& path, const std::string& bytes,
                                              uint32_t& errorCode) {
  return ReplaceFileAtomically(path, bytes, errorCode);
}

bool TWinStoredTextFiles::AskQuery(const std::string& text) { return ShowQuery(text); }
