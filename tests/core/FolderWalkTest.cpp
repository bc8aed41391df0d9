#include "core/catalogue/FolderWalk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "core/trace/FunStatus.h"
#include "core/text/Utf8Text.h"

namespace {

// A made-up file system: folders are numbered nodes, reached from named
// roots; a link is an entry that leads to another node.
class TFakeFolders : public TFolderSource {
 public:
  struct TChild {
    std::string Name;
    int Node = -1;  // -1: a file
    bool IsLink = false;
    bool Hidden = false;
  };

  int NewFolder() {
    nodes_.emplace_back();
    return static_cast<int>(nodes_.size()) - 1;
  }
  void Root(const std::string& path, int node) { roots_[path] = node; }
  void File(int folder, const std::string& name, bool hidden = false) {
    nodes_[folder].push_back({name, -1, false, hidden});
  }
  int Folder(int parent, const std::string& name, bool hidden = false) {
    const int node = NewFolder();
    nodes_[parent].push_back({name, node, false, hidden});
    return node;
  }
  void Link(int parent, const std::string& name, int target) { nodes_[parent].push_back({name, target, true, false}); }
  // A plain entry for a folder that exists already.
  void Attach(int parent, const std::string& name, int node) { nodes_[parent].push_back({name, node, false, false}); }
  void Remove(int parent, const std::string& name) {
    auto& children = nodes_[parent];
    children.erase(std::remove_if(children.begin(), children.end(), [&](const TChild& c) { return c.Name == name; }),
                   children.end());
  }

  bool ListFolder(const std::string& folder, const std::function<void(const TFolderEntry&)>& onEntry,
                  uint32_t& errorCode) override {
    Listed.push_back(folder);
    if (BeforeList) BeforeList(folder);
    const int node = Resolve(folder);
    if (node < 0) {
      errorCode = 3;  // the path is not found
      return false;
    }
    TFolderEntry entry;
    for (const char* dot : {".", ".."}) {
      entry.Name = dot;
      entry.NameLength = entry.Name.size();
      entry.IsDirectory = true;
      onEntry(entry);
    }
    size_t given = 0;
    for (const TChild& child : nodes_[node]) {
      if (FailAfter.count(node) && given == FailAfter[node]) {
        errorCode = 59;  // an unexpected network error
        return false;
      }
      entry.Name = child.Name;
      entry.NameLength = Utf16Length(child.Name);
      entry.IsDirectory = child.Node >= 0;
      entry.IsLink = child.IsLink;
      entry.IsHiddenOrSystem = child.Hidden;
      entry.FileIndex = child.Node >= 0 && !Unidentifiable.count(child.Node) ? child.Node + 100 : 0;
      entry.MatchesFilter = !entry.IsDirectory && child.Name.size() > 4 &&
                            child.Name.compare(child.Name.size() - 4, 4, ".jpg") == 0;
      onEntry(entry);
      ++given;
    }
    errorCode = nodes_[node].empty() ? 18 : 0;  // no more files
    return nodes_[node].empty() ? false : true;
  }

  bool IdentifyFolder(const std::string& folder, TFolderIdentity& identity) override {
    Identified.push_back(folder);
    const int node = Resolve(folder);
    if (node < 0 || Unidentifiable.count(node)) return false;
    identity = {7, static_cast<uint64_t>(node) + 100};
    return true;
  }

  size_t PathLength(const std::string& path) override { return Utf16Length(path); }

  std::vector<std::string> Listed;
  std::vector<std::string> Identified;
  std::function<void(const std::string& folder)> BeforeList;
  std::set<int> Unidentifiable;
  std::map<int, size_t> FailAfter;  // folder node -> entries given before the listing fails

 private:
  int Resolve(std::string path) const {
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    for (const auto& [rootPath, rootNode] : roots_) {
      if (path.compare(0, rootPath.size(), rootPath) != 0) continue;
      if (path.size() > rootPath.size() && path[rootPath.size()] != '\\') continue;
      int node = rootNode;
      size_t at = rootPath.size();
      while (at < path.size()) {
        const size_t start = at + 1;
        const size_t end = std::min(path.find('\\', start), path.size());
        const std::string name = path.substr(start, end - start);
        const auto& children = nodes_[node];
        const auto found = std::find_if(children.begin(), children.end(),
                                        [&](const TChild& c) { return c.Name == name; });
        if (found == children.end() || found->Node < 0) return -1;
        node = found->Node;
        at = end;
      }
      return node;
    }
    return -1;
  }

  std::vector<std::vector<TChild>> nodes_;
  std::map<std::string, int> roots_;
};

std::vector<std::string> Walk(TFakeFolders& folders, const std::string& directory, bool recursive) {
  std::vector<std::string> files;
  LoadFilesFromFolders(folders, directory, recursive, files);
  std::sort(files.begin(), files.end());
  return files;
}

bool NoFolderListedTwice(std::vector<std::string> listed) {
  std::sort(listed.begin(), listed.end());
  return std::adjacent_find(listed.begin(), listed.end()) == listed.end();
}

TEST(FolderWalkTest, PlainTreeKeepsTheListingRules) {
  TFakeFolders folders;
  const int root = folders.NewFolder();
  folders.Root("C:\\P", root);
  folders.File(root, "a.jpg");
  folders.File(root, "notes.txt");
  folders.File(root, "hidden.jpg", true);
  const int sub = folders.Folder(root, "sub");
  folders.File(sub, "b.jpg");
  const int deeper = folders.Folder(sub, "deeper");
  folders.File(deeper, "c.jpg");
  const int secret = folders.Folder(root, "secret", true);
  folders.File(secret, "d.jpg");

  EXPECT_EQ(Walk(folders, "C:\\P", false), std::vector<std::string>{"C:\\P\\a.jpg"});
  EXPECT_EQ(folders.Listed, std::vector<std::string>{"C:\\P"});
  const std::vector<std::string> deep{"C:\\P\\a.jpg", "C:\\P\\sub\\b.jpg", "C:\\P\\sub\\deeper\\c.jpg"};
  EXPECT_EQ(Walk(folders, "C:\\P", true), deep);
  EXPECT_EQ(Walk(folders, "C:\\P\\", true), deep);  // no doubled separator
  EXPECT_FALSE(FunStatContext.Failed());

  // Paths without a directory part are not searched at all.
  folders.Listed.clear();
  for (const char* path : {"", "C:", "relative"}) EXPECT_TRUE(Walk(folders, path, true).empty()) << path;
  EXPECT_TRUE(folders.Listed.empty());
}

TEST(FolderWalkTest, LinkedFoldersAreEnteredOnceEach) {
  TFakeFolders folders;
  const int root = folders.NewFolder();
  const int outside = folders.NewFolder();
  const int loopA = folders.NewFolder();
  const int loopB = folders.NewFolder();
  folders.Root("C:\\R", root);
  folders.File(root, "r.jpg");
  // A link to a folder elsewhere is entered, its files under the link's path.
  folders.File(outside, "o.jpg");
  folders.Link(root, "outside", outside);
  // A second link to the same folder is not entered again.
  folders.Link(root, "outside again", outside);
  // A link to an ancestor ends there.
  const int album = folders.Folder(root, "album");
  folders.File(album, "al.jpg");
  folders.Link(album, "up", root);
  // A link listed before the real folder inside the tree: the files keep the real path.
  const int zeta = folders.NewFolder();
  folders.File(zeta, "z.jpg");
  folders.Link(root, "a shortcut to zeta", zeta);
  folders.Attach(root, "zeta", zeta);
  // Two folders linking to each other.
  folders.Link(root, "loop", loopA);
  folders.File(loopA, "la.jpg");
  folders.Link(loopA, "toB", loopB);
  folders.File(loopB, "lb.jpg");
  folders.Link(loopB, "toA", loopA);

  const std::vector<std::string> files = Walk(folders, "C:\\R", true);
  const std::vector<std::string> expected{"C:\\R\\album\\al.jpg", "C:\\R\\loop\\la.jpg", "C:\\R\\loop\\toB\\lb.jpg",
                                          "C:\\R\\outside\\o.jpg", "C:\\R\\r.jpg", "C:\\R\\zeta\\z.jpg"};
  EXPECT_EQ(files, expected);
  EXPECT_TRUE(NoFolderListedTwice(folders.Listed));
  EXPECT_EQ(std::count(folders.Listed.begin(), folders.Listed.end(), "C:\\R\\outside again"), 0);
  EXPECT_FALSE(FunStatContext.Failed());
  // Only the walk's own folder and the links are opened to be identified; a
  // plain folder is known by what its parent listed.
  std::sort(folders.Identified.begin(), folders.Identified.end());
  EXPECT_EQ(folders.Identified,
            (std::vector<std::string>{"C:\\R", "C:\\R\\a shortcut to zeta", "C:\\R\\album\\up", "C:\\R\\loop",
                                      "C:\\R\\loop\\toB", "C:\\R\\loop\\toB\\toA", "C:\\R\\outside",
                                      "C:\\R\\outside again"}));
}

TEST(FolderWalkTest, FolderOfUnknownIdentityIsEnteredOnlyWithoutALink) {
  TFakeFolders folders;
  const int root = folders.NewFolder();
  const int elsewhere = folders.NewFolder();
  folders.Root("C:\\R", root);
  folders.File(elsewhere, "e.jpg");
  folders.Link(root, "link", elsewhere);
  const int plain = folders.Folder(root, "plain");
  folders.File(plain, "p.jpg");
  folders.Unidentifiable = {root, plain, elsewhere};
  EXPECT_EQ(Walk(folders, "C:\\R", true), std::vector<std::string>{"C:\\R\\plain\\p.jpg"});
  EXPECT_FALSE(FunStatContext.Failed());
  // Below a folder of unknown identity a link to a known folder is entered,
  // and a link from there back to the unknown folder is not.
  folders.Unidentifiable = {root, plain};
  folders.Link(elsewhere, "back", root);
  EXPECT_EQ(Walk(folders, "C:\\R", true),
            (std::vector<std::string>{"C:\\R\\link\\e.jpg", "C:\\R\\plain\\p.jpg"}));
}

TEST(FolderWalkTest, DeepChainsStopWhereNoPathCanBeOpened) {
  // 200 links, each to a new folder holding a picture and the next link; and
  // 200 plain folders one inside the other. Every path below "C:\R\" grows by
  // 2 characters a level, so the limit ends both chains without a failure.
  TFakeFolders folders;
  const int root = folders.NewFolder();
  folders.Root("C:\\R", root);
  int linked = root, plain = folders.Folder(root, "p");
  for (int level = 0; level < 200; ++level) {
    const int next = folders.NewFolder();
    folders.Link(linked, "l", next);
    folders.File(next, "x.jpg");
    linked = next;
    folders.File(plain, "y.jpg");
    plain = folders.Folder(plain, "p");
  }
  const std::vector<std::string> files = Walk(folders, "C:\\R", true);
  EXPECT_FALSE(FunStatContext.Failed());
  EXPECT_TRUE(NoFolderListedTwice(folders.Listed));
  // "C:\R" + n times "\l" + "\x.jpg" is 4 + 2n + 6 characters: n = 124 is the deepest that fits.
  const auto deepest = [&](const std::string& name) {
    size_t count = 0, longest = 0;
    for (const std::string& file : files) {
      if (file.size() < name.size() || file.compare(file.size() - name.size(), name.size(), name) != 0) continue;
      ++count;
      longest = std::max(longest, file.size());
    }
    return std::make_pair(count, longest);
  };
  EXPECT_EQ(deepest("x.jpg"), std::make_pair(size_t{124}, size_t{258}));
  EXPECT_EQ(deepest("y.jpg"), std::make_pair(size_t{124}, size_t{258}));
}

TEST(FolderWalkTest, PathsOfExactly259And260Characters) {
  TFakeFolders folders;
  const int root = folders.NewFolder();
  folders.Root("C:\\R", root);
  // "C:\R\" is 5 characters; a name of 254 makes a path of 259.
  const std::string name259 = std::string(250, 'a') + ".jpg", name260 = std::string(251, 'b') + ".jpg";
  folders.File(root, name259);
  folders.File(root, name260);
  // Multi-byte characters count as the system counts them: "é" one, an emoji two.
  const std::string accented = std::string(248, 'c') + "\xC3\xA9" + "\xC3\xA9" + ".jpg";  // 259 characters
  const std::string emoji = std::string(249, 'd') + "\xF0\x9F\x93\xB7" + ".jpg";           // 260 characters
  folders.File(root, accented);
  folders.File(root, emoji);
  // A folder of 257 characters can hold a file named by one character; one of
  // 258 cannot hold any file, so it is not listed.
  folders.Folder(root, std::string(252, 'f'));
  folders.Folder(root, std::string(253, 'h'));
  const std::vector<std::string> files = Walk(folders, "C:\\R", true);
  EXPECT_EQ(files, (std::vector<std::string>{"C:\\R\\" + name259, "C:\\R\\" + accented}));
  EXPECT_EQ(std::count(folders.Listed.begin(), folders.Listed.end(), "C:\\R\\" + std::string(252, 'f')), 1);
  EXPECT_EQ(std::count(folders.Listed.begin(), folders.Listed.end(), "C:\\R\\" + std::string(253, 'h')), 0);
  EXPECT_FALSE(FunStatContext.Failed());
}

TEST(FolderWalkTest, FolderThatVanishesOrBreaksOffIsRecordedAndTheWalkGoesOn) {
  TFakeFolders folders;
  const int root = folders.NewFolder();
  folders.Root("C:\\R", root);
  folders.File(root, "r.jpg");
  const int gone = folders.Folder(root, "gone");
  folders.File(gone, "lost.jpg");
  const int stays = folders.Folder(root, "stays");
  folders.File(stays, "s.jpg");
  // Removed after its parent listed it, before it is listed itself.
  folders.BeforeList = [&](const std::string& folder) {
    if (folder == "C:\\R\\gone") folders.Remove(root, "gone");
  };
  EXPECT_EQ(Walk(folders, "C:\\R", true), (std::vector<std::string>{"C:\\R\\r.jpg", "C:\\R\\stays\\s.jpg"}));
  EXPECT_TRUE(FunStatContext.Failed());
  EXPECT_EQ(FunStatContext.Description, "Failed to load directory.");
  EXPECT_EQ(FunStatContext.Parameter1, "C:\\R\\gone");
  EXPECT_EQ(FunStatContext.SystemErrorCode, 3u);

  // A listing that breaks off keeps the entries given before.
  folders.BeforeList = nullptr;
  const int broken = folders.Folder(root, "broken");
  folders.File(broken, "first.jpg");
  folders.File(broken, "second.jpg");
  folders.FailAfter[broken] = 1;
  EXPECT_EQ(Walk(folders, "C:\\R", true),
            (std::vector<std::string>{"C:\\R\\broken\\first.jpg", "C:\\R\\r.jpg", "C:\\R\\stays\\s.jpg"}));
  EXPECT_EQ(FunStatContext.Parameter1, "C:\\R\\broken");
  EXPECT_EQ(FunStatContext.SystemErrorCode, 59u);

  // An empty folder ("no more files") and a missing root's "file not found" are no failures.
  folders.FailAfter.clear();
  folders.Folder(root, "empty");
  EXPECT_EQ(Walk(folders, "C:\\R\\empty", true), std::vector<std::string>{});
  EXPECT_FALSE(FunStatContext.Failed());
}

}  // namespace
