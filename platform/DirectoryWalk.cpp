#include "platform/DirectoryWalk.h"

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>

#include "core/trace/FunStatus.h"
#include "platform/HandleHolders.h"
#include "platform/WinText.h"

namespace {

constexpr DWORD kVolumeLabelAttribute = 0x8;
constexpr DWORD kSkippedAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | kVolumeLabelAttribute;
constexpr size_t kLongestEnding = 16;

// Entries read at a time: a library folder may hold many thousand.
constexpr size_t kListingBytes = 64 * 1024;

}  // namespace

TFileSystemFolders::TFileSystemFolders(const std::string& filter) : filter_(AnsiToWide(filter)) {
  byEnding_ = !filter_.empty();
  for (size_t start = 0; byEnding_ && start <= filter_.size();) {
    const size_t end = std::min(filter_.find(L';', start), filter_.size());
    std::wstring ending = filter_.substr(start, end - start);
    // "*.*" matches every name, and blanks, more wildcards or empty patterns
    // follow rules of their own: those go to the general match.
    byEnding_ = ending.size() >= 3 && ending.size() <= kLongestEnding && ending.compare(0, 2, L"*.") == 0 &&
                ending.find_first_of(L"*? ", 2) == std::wstring::npos;
    if (byEnding_) {
      ending.erase(0, 1);
      CharUpperBuffW(ending.data(), static_cast<DWORD>(ending.size()));
      endings_.push_back(std::move(ending));
    }
    start = end + 1;
  }
}

bool TFileSystemFolders::Matches(const wchar_t* name, size_t length) const {
  if (filter_.empty()) return true;
  if (!byEnding_) return PathMatchSpecW(name, filter_.c_str()) != FALSE;
  wchar_t tail[kLongestEnding];
  for (const std::wstring& ending : endings_) {
    if (ending.size() > length) continue;
    std::copy(name + length - ending.size(), name + length, tail);
    CharUpperBuffW(tail, static_cast<DWORD>(ending.size()));
    if (std::equal(ending.begin(), ending.end(), tail)) return true;
  }
  return false;
}

bool TFileSystemFolders::ListFolder(const std::string& folder,
                                    const std::function<void(const TFolderEntry&)>& onEntry, uint32_t& errorCode) {
  SetLastError(0);
  // Read through a handle on the folder: the entries come many at a time, each
  // with its file index, which is a plain subfolder's identity on this volume.
  const THandleHolder handle(CreateFileW(AnsiToWide(folder).c_str(), FILE_LIST_DIRECTORY,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                         FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!handle.Valid()) {
    errorCode = GetLastError();
    // The folder itself is missing: a search in it reports its path as not found.
    if (errorCode == ERROR_FILE_NOT_FOUND) errorCode = ERROR_PATH_NOT_FOUND;
    return false;
  }
  if (buffer_.empty()) buffer_.resize(kListingBytes / sizeof buffer_[0]);
  TFolderEntry entry;
  for (;;) {
    SetLastError(0);
    if (!GetFileInformationByHandleEx(handle.Get(), FileIdBothDirectoryInfo, buffer_.data(),
                                      static_cast<DWORD>(buffer_.size() * sizeof buffer_[0]))) {
      errorCode = GetLastError();
      return IsNoMoreFilesCode(errorCode);
    }
    const auto* bytes = reinterpret_cast<const BYTE*>(buffer_.data());
    for (;;) {
      const auto* found = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(bytes);
      name_.assign(found->FileName, found->FileNameLength / sizeof(wchar_t));
      if (WideToAnsiExactly(name_.c_str(), name_.size(), entry.Name)) {
        const DWORD attributes = found->FileAttributes;
        entry.NameLength = name_.size();
        entry.IsDirectory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.IsLink = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        entry.IsHiddenOrSystem = (attributes & kSkippedAttributes) != 0;
        entry.MatchesFilter = !entry.IsDirectory && Matches(name_.c_str(), name_.size());
        entry.FileIndex = static_cast<uint64_t>(found->FileId.QuadPart);
        onEntry(entry);
      }
      if (found->NextEntryOffset == 0) break;
      bytes += found->NextEntryOffset;
    }
  }
}

bool TFileSystemFolders::IdentifyFolder(const std::string& folder, TFolderIdentity& identity) {
  // Opening follows the link, so the identity is the target's.
  const THandleHolder handle(CreateFileW(AnsiToWide(folder).c_str(), FILE_READ_ATTRIBUTES,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                         FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION information;
  if (!handle.Valid() || !GetFileInformationByHandle(handle.Get(), &information)) return false;
  identity.Volume = information.dwVolumeSerialNumber;
  identity.Index = (static_cast<uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
  // A file system that keeps no file indexes, or a volume without a serial
  // number, reports zero, which tells no folder apart.
  return identity.Volume != 0 && identity.Index != 0;
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
