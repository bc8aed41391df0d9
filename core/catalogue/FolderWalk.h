// The directory walk's rules, over a small interface to the file system so
// that they can be driven with a made-up tree: which entries count, which
// folders are entered, and how a folder reached twice (through a junction, a
// symbolic link or a sync client's folder) is entered only once.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// One entry of a folder as the file system lists it.
struct TFolderEntry {
  std::string Name;
  size_t NameLength = 0;         // in the system's characters
  bool IsDirectory = false;
  bool IsLink = false;           // a reparse point: junction, symbolic link, sync-client folder
  bool IsHiddenOrSystem = false; // hidden, system or volume label: never listed nor entered
  bool MatchesFilter = false;    // a file whose name matches the walk's picture filter
  uint64_t FileIndex = 0;        // the entry's file index on its folder's volume; 0: unknown
};

// A folder as the file system knows it, whatever path leads to it: the volume
// serial number and the file index.
struct TFolderIdentity {
  uint64_t Volume = 0;
  uint64_t Index = 0;
  bool operator<(const TFolderIdentity& other) const {
    return Volume != other.Volume ? Volume < other.Volume : Index < other.Index;
  }
};

class TFolderSource {
 public:
  virtual ~TFolderSource() = default;
  // Calls `onEntry` for each entry of the folder, "." and ".." possibly among
  // them. False with the system error code when the folder cannot be read
  // to the end; the entries given before the failure stand.
  virtual bool ListFolder(const std::string& folder, const std::function<void(const TFolderEntry&)>& onEntry,
                          uint32_t& errorCode) = 0;
  // False when the file system cannot tell the folder's identity. Asked for
  // the walk's own folder and for linked folders; a plain subfolder lies on
  // its parent's volume and has the file index its parent listed.
  virtual bool IdentifyFolder(const std::string& folder, TFolderIdentity& identity) = 0;
  // The path's length in the system's characters; asked once per folder.
  virtual size_t PathLength(const std::string& path) = 0;
};

// The longest path the program can open: the system's 260 less the terminator.
constexpr size_t kMaxOpenablePathLength = 259;

// Appends to `files` the full paths of the matching files in `directory`, and
// in every folder below it when `recursive` is set; traced as "LoadFilesList".
// A path with no directory part is ignored. Linked folders are entered, but a
// folder already visited (the same identity) never again, so a link loop ends;
// a link whose identity is unknown is not entered. Folders without links are
// walked before the links met in them, so a file inside the tree keeps its own
// path. A file whose path is too long to open is left out, and a folder too
// deep to hold one is not entered. A folder that cannot be read is recorded as
// "Failed to load directory." and the walk goes on; what was found stays.
void LoadFilesFromFolders(TFolderSource& source, const std::string& directory, bool recursive,
                          std::vector<std::string>& files);
