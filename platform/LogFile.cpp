#include "platform/LogFile.h"

#include <windows.h>

#include "core/trace/FunStatus.h"
#include "platform/HandleHolders.h"

bool AppendToLogFile(const std::string& path, const std::string& memoText, unsigned truncateAbove) {
  SetLastError(0);
  const THandleHolder holder(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!holder.Valid() || IsSystemErrorAllowExisting(GetLastError())) return false;
  HANDLE file = holder.Get();
  SetLastError(0);
  LARGE_INTEGER size = {};
  GetFileSizeEx(file, &size);
  if (size.QuadPart > truncateAbove) {
    // Old entries are discarded, not rotated.
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
  }
  SetFilePointer(file, 0, nullptr, FILE_END);
  const std::string entry = "**********" + memoText + "\r\n**********\r\n";
  SetLastError(0);
  DWORD written = 0;
  const BOOL ok = WriteFile(file, entry.data(), static_cast<DWORD>(entry.size()), &written, nullptr);
  const DWORD code = GetLastError();
  return ok && written == entry.size() && !IsSystemError(code);
}
