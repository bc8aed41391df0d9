#include "platform/DirectoryWalk.h"

#include <windows.h>
#include <shlwapi.h>

#include "core/FunStatus.h"
#include "core/PathParts.h"

namespace {

constexpr DWORD kVolumeLabelAttribute = 0x8;
constexpr DWORD kSkippedAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | kVolumeLabelAttribute;

bool IsDotEntry(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

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

void LoadFilesList(const std::string& directory, const std::string& filter, std::vector<std::string>& files,
                   bool recursive) {
  FUN_TRACE("LoadFilesList");
  FUN_GUARD({
    if (DirectoryPart(directory).empty()) return;
    std::string prefix = directory;
    if (prefix.back() != '\\') prefix += '\\';
    WIN32_FIND_DATAA entry;
    SetLastError(0);
    TFindHandle search(FindFirstFileA((prefix + "*").c_str(), &entry));
    if (!search.Valid()) {
      const DWORD code = GetLastError();
      if (!IsNoMoreFilesCode(code)) FUN_RAISE("Failed to load directory.", directory, "", code);
      return;
    }
    for (;;) {
      if ((entry.dwFileAttributes & kSkippedAttributes) == 0 && !IsDotEntry(entry.cFileName)) {
        const std::string path = prefix + entry.cFileName;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          if (recursive && (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
            LoadFilesList(path, filter, files, true);
            // A subdirectory that cannot be read stays on record; its
            // neighbours are still searched.
            trace_.CalleeFailed();
          }
        } else if (filter.empty() || PathMatchSpecA(entry.cFileName, filter.c_str())) {
          files.push_back(path);
        }
      }
      SetLastError(0);
      if (!FindNextFileA(search.Get(), &entry)) {
        const DWORD code = GetLastError();
        if (!IsNoMoreFilesCode(code)) FUN_RAISE("Failed to load directory.", directory, "", code);
        return;
      }
    }
  });
}
