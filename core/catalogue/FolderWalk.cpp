#include "core/catalogue/FolderWalk.h"

#include <deque>
#include <set>

#include "core/trace/FunStatus.h"
#include "core/catalogue/PathParts.h"

namespace {

bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }

struct TPendingFolder {
  std::string Path;
  bool IsLink = false;
  bool IdentityKnown = false;  // from the parent's listing, or once identified
  TFolderIdentity Identity;
};

// The folders still to be listed: plain folders first, depth first, then
// linked folders in the order they were met.
class TPendingFolders {
 public:
  void Add(TPendingFolder folder) {
    if (folder.IsLink) links_.push_back(std::move(folder));
    else plain_.push_back(std::move(folder));
  }
  bool Empty() const { return plain_.empty() && links_.empty(); }
  TPendingFolder Take() {
    TPendingFolder folder;
    if (plain_.empty()) {
      folder = std::move(links_.front());
      links_.pop_front();
    } else {
      folder = std::move(plain_.back());
      plain_.pop_back();
    }
    return folder;
  }

 private:
  std::vector<TPendingFolder> plain_;
  std::deque<TPendingFolder> links_;
};

}  // namespace

void LoadFilesFromFolders(TFolderSource& source, const std::string& directory, bool recursive,
                          std::vector<std::string>& files) {
  FUN_TRACE("LoadFilesList");
  FUN_GUARD({
    if (DirectoryPart(directory).empty()) return;
    std::set<TFolderIdentity> visited;
    TPendingFolders pending;
    TPendingFolder root{directory, false, false, {}};
    if (recursive) root.IdentityKnown = source.IdentifyFolder(directory, root.Identity);
    pending.Add(std::move(root));
    while (!pending.Empty()) {
      TPendingFolder folder = pending.Take();
      if (recursive) {
        if (folder.IsLink) folder.IdentityKnown = source.IdentifyFolder(folder.Path, folder.Identity);
        if (folder.IdentityKnown) {
          if (!visited.insert(folder.Identity).second) continue;
        } else if (folder.IsLink) {
          continue;  // a link that cannot be told apart from a folder already walked may loop
        }
      }
      const std::string prefix = folder.Path.back() == '\\' ? folder.Path : folder.Path + '\\';
      const size_t prefixLength = source.PathLength(prefix);
      uint32_t errorCode = 0;
      const bool listed = source.ListFolder(
          folder.Path,
          [&](const TFolderEntry& entry) {
            if (entry.IsHiddenOrSystem || IsDotEntry(entry.Name)) return;
            if (entry.IsDirectory) {
              // Room for a separator and a one-character name, or no file inside can be opened.
              if (!recursive || prefixLength + entry.NameLength + 2 > kMaxOpenablePathLength) return;
              TPendingFolder subfolder{prefix + entry.Name, entry.IsLink, false, {}};
              if (!entry.IsLink && folder.IdentityKnown && entry.FileIndex != 0) {
                subfolder.IdentityKnown = true;
                subfolder.Identity = {folder.Identity.Volume, entry.FileIndex};
              }
              pending.Add(std::move(subfolder));
            } else if (entry.MatchesFilter && prefixLength + entry.NameLength <= kMaxOpenablePathLength) {
              // Exactly as long as needed: a library keeps a hundred thousand of them.
              std::string path;
              path.reserve(prefix.size() + entry.Name.size());
              files.push_back(std::move(path.append(prefix).append(entry.Name)));
            }
          },
          errorCode);
      if (!listed && !IsNoMoreFilesCode(errorCode))
        FUN_RAISE("Failed to load directory.", folder.Path, "", errorCode);
    }
  });
}
