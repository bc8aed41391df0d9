#include "core/FolderWalk.h"

#include <deque>
#include <set>

#include "core/FunStatus.h"
#include "core/PathParts.h"

namespace {

bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }

// The folders still to be listed: plain folders first, depth first, then
// linked folders in the order they were met.
class TPendingFolders {
 public:
  void Add(std::string path, bool isLink) {
    if (isLink) links_.push_back(std::move(path));
    else plain_.push_back(std::move(path));
  }
  bool Empty() const { return plain_.empty() && links_.empty(); }
  // The next folder; `isLink` tells how it was reached.
  std::string Take(bool& isLink) {
    std::string path;
    isLink = plain_.empty();
    if (isLink) {
      path = std::move(links_.front());
      links_.pop_front();
    } else {
      path = std::move(plain_.back());
      plain_.pop_back();
    }
    return path;
  }

 private:
  std::vector<std::string> plain_;
  std::deque<std::string> links_;
};

}  // namespace

void LoadFilesFromFolders(TFolderSource& source, const std::string& directory, bool recursive,
                          std::vector<std::string>& files) {
  FUN_TRACE("LoadFilesList");
  FUN_GUARD({
    if (DirectoryPart(directory).empty()) return;
    std::set<TFolderIdentity> visited;
    TPendingFolders pending;
    pending.Add(directory, false);
    while (!pending.Empty()) {
      bool isLink = false;
      const std::string folder = pending.Take(isLink);
      if (recursive) {
        TFolderIdentity identity;
        if (source.IdentifyFolder(folder, identity)) {
          if (!visited.insert(identity).second) continue;
        } else if (isLink) {
          continue;  // a link that cannot be told apart from a folder already walked may loop
        }
      }
      const std::string prefix = folder.back() == '\\' ? folder : folder + '\\';
      uint32_t errorCode = 0;
      const bool listed = source.ListFolder(
          folder,
          [&](const TFolderEntry& entry) {
            if (entry.IsHiddenOrSystem || IsDotEntry(entry.Name)) return;
            if (entry.IsDirectory) {
              if (!recursive) return;
              std::string path = prefix + entry.Name;
              // Room for a separator and a one-character name, or no file inside can be opened.
              if (source.PathLength(path) + 2 <= MaxOpenablePathLength) pending.Add(std::move(path), entry.IsLink);
            } else if (entry.MatchesFilter) {
              std::string path = prefix + entry.Name;
              if (source.PathLength(path) <= MaxOpenablePathLength) files.push_back(std::move(path));
            }
          },
          errorCode);
      if (!listed && !IsNoMoreFilesCode(errorCode)) FUN_RAISE("Failed to load directory.", folder, "", errorCode);
    }
  });
}
