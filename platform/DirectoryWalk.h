// The directory walk that finds the picture files of a directory row: the
// rules of core/catalogue/FolderWalk.h over the file system's wide-character calls.
#pragma once

#include <string>
#include <vector>

#include "core/catalogue/FolderWalk.h"

// The file system as the walk sees it, through the wide calls. Entries whose
// names the program's code page cannot hold are left out: no call of the
// program could open them.
class TFileSystemFolders : public TFolderSource {
 public:
  // `filter`: ";"-separated wildcard patterns a file name must match; empty: every file.
  explicit TFileSystemFolders(const std::string& filter);
  bool ListFolder(const std::string& folder, const std::function<void(const TFolderEntry&)>& onEntry,
                  uint32_t& errorCode) override;
  // The volume serial number and the file index of the folder a path leads to.
  bool IdentifyFolder(const std::string& folder, TFolderIdentity& identity) override;
  size_t PathLength(const std::string& path) override;

 private:
  bool Matches(const wchar_t* name, size_t length) const;
  std::vector<uint64_t> buffer_;  // the listing, read many entries at a time
  std::wstring name_;
  std::wstring filter_;
  // A filter made only of "*.ext" patterns, as the decoders give it, is
  // matched by the name's end: the general wildcard match costs more than
  // listing the entry. The endings upper-cased, each with its dot.
  bool byEnding_ = false;
  std::vector<std::wstring> endings_;
};

// Appends the full paths of the files in `directory` whose names match
// `filter`, descending into subdirectories, linked ones included, when
// `recursive` is set (the rules in core/catalogue/FolderWalk.h). Failures are recorded,
// not shown; the entries found before a failure stay.
void LoadFilesList(const std::string& directory, const std::string& filter, std::vector<std::string>& files,
                   bool recursive);
