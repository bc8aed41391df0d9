#include "platform/DirectoryWalk.h"

#include <windows.h>
#include <shlwapi.h>

#include "core/FunStatus.h"
#include "platform/WinText.h"

namespace {

constexpr DWORD kVolumeLabelAttribute = 0x8;
constexpr DWORD kSkippedAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | kVolumeLabelAttribute;

class TFindHandle {
 public:
  explicit TFindHandle(HANDLE handle) : handle_(handle) {}
  ~TFindHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }
  TFindHandle(const TFindHandle&) = delete;
  TFindHandle& operator=(const TFindHandle&) = delete;
  HANDLE Get() const { return handle_; }
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

}  // namespace

TFileSystemFolders::TFileSystemFolders(const std::string& filter) : filter_(AnsiToWide(filter)) {}

bool TFileSystemFolders::ListFolder(const std::string& folder,
                                    const std::function<void(const TFolderEntry&)>& onEntry, uint32_t& errorCode) {
  std::wstring pattern = AnsiToWide(folder);
  if (pattern.empty() || pattern.back() != L'\\') pattern += L'\\';
  pattern += L'*';
  WIN32_FIND_DATAW found;
  SetLastError(0);
  // No short names, and large reads: a library folder may hold many thousand entries.
  TFindHandle search(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                      FIND_FIRST_EX_LARGE_FETCH));
  if (!search.Valid()) {
    errorCode = GetLastError();
    return false;
  }
  TFolderEntry entry;
  for (;;) {
    if (WideToAnsiExactly(found.cFileName, wcslen(found.cFileName), entry.Name)) {
      const DWORD attributes = found.dwFileAttributes;
      entry.IsDirectory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
      entry.IsLink = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
      entry.IsHiddenOrSystem = (attributes & kSkippedAttributes) != 0;
      entry.MatchesFilter =
          !entry.IsDirectory && (filter_.empty() || PathMatchSpecW(found.cFileName, filter_.c_str()));
      onEntry(entry);
    }
    SetLastError(0);
    if (!FindNextFileW(search.Get(), &found)) {
      errorCode = GetLastError();
      return IsNoMoreFilesCode(errorCode);
    }
  }
}

bool TFileSystemFolders::IdentifyFolder(const std::string& folder, TFolderIdentity& identity) {
  // Opening follows the link, so the identity is the target's.
  const HANDLE handle = CreateFileW(AnsiToWide(folder).c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION information;
  const BOOL known = GetFileInformationByHandle(handle, &information);
  CloseHandle(handle);
  if (!known) return false;
  identity.Volume = information.dwVolumeSerialNumber;
  identity.Index = (static_cast<uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
  // File systems without file indexes report zero, which tells no folder apart.
  return identity.Index != 0;
}

size_t TFileSystemFolders::PathLength(const std::string& path) {
  if (path.empty()) return 0;
  const int length = MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
  return length > 0 ? static_cast<size_t>(length) : path.size();
}

void LoadFilesList(const std::string& directory, const std::string& filter, std::vector<std::string>& files,
                   bool recursive) {
  TFileSystemFolders folders(filter);
  LoadFilesFromFolders(folders, directory, recursive, files);
}
