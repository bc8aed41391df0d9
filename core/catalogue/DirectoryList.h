// The list of picture directories: rows in insertion order, each a path with
// its Active and Recursive flags, a current row, the clickable flag cells of a
// drawn row and the "DirectoryList" options section.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/settings/SectionValues.h"
#include "core/text/AsciiText.h"
#include "core/text/SameNameRule.h"

// The two flags of a row as one two-bit set.
enum : uint8_t { DirectoryActiveBit = 1, DirectoryRecursiveBit = 2 };

struct TDirectoryEntry {
  std::string Path;
  uint8_t Flags = 0;  // DirectoryActiveBit | DirectoryRecursiveBit
  bool Active() const { return (Flags & DirectoryActiveBit) != 0; }
  bool Recursive() const { return (Flags & DirectoryRecursiveBit) != 0; }
};

constexpr int kMaxDirectoryCount = 100;
extern const char* const kTooManyDirectoriesMessage;  // "Too many directories. Can't add anymore."
extern const char* const kDirectoryListSection;       // "DirectoryList"

// The cells of a drawn row, left to right.
enum class TDirectoryCell { Active, Recursive, Path };

// Cell edges for a row whose item height is h: Active [0, 2h), Recursive
// [2h, w2) with w2 = 4.5h truncated, Path from w2.
struct TDirectoryRowGeometry {
  int ActiveRight = 0;
  int RecursiveRight = 0;
};
TDirectoryRowGeometry DirectoryRowGeometry(int itemHeight);
TDirectoryCell DirectoryCellAt(int x, int itemHeight);

// The item height h for the list's font: its character-cell height plus 4
// pixels, or the least h above that whose flag cells hold their widest texts
// (in pixels) between the cells' 3-pixel insets. Large fonts, as at 150 %
// scaling, need the taller rows; the cells keep their proportions.
int DirectoryRowHeight(int fontHeight, int activeTextWidth, int recursiveTextWidth);

// The flag cells' texts.
const char* ActiveCellText(bool active);        // "Active" / "NA"
const char* RecursiveCellText(bool recursive);  // "Recurs" / "NR"

class TDirectoryList {
 public:
  const std::vector<TDirectoryEntry>& Entries() const { return entries_; }
  int Count() const { return static_cast<int>(entries_.size()); }
  bool IsFull() const { return Count() >= kMaxDirectoryCount; }
  bool IsValidRow(int row) const { return row >= 0 && row < Count(); }

  // The focused row, -1 for none.
  int CurrentRow = -1;
  // Whether two paths name one folder.
  TSameNameRule SameName = SameTextAscii;

  // Appends a row unless the path is empty, longer than the stored-path limit
  // in UTF-16 units, the list is full or a row already has the path (by
  // SameName). True when a row was added.
  bool AddDirectoryEntry(const std::string& path, bool active, bool recursive);
  // A directory chosen in the folder browser: active, not recursive; the first
  // row of an empty list becomes current.
  bool AddBrowsedDirectory(const std::string& path);

  // The flag accessors; an invalid row reads false and changes nothing.
  bool IsDirectoryActive(int row) const;
  void SetDirectoryActive(int row, bool value);
  void ToggleDirectoryActive(int row);
  bool IsDirectoryRecursive(int row) const;
  void SetDirectoryRecursive(int row, bool value);
  void ToggleDirectoryRecursive(int row);

  // Removes every row; the name rule stays.
  void Clear() {
    entries_.clear();
    CurrentRow = -1;
  }

  // Deletes the current row; the row now at its position, or the new last row,
  // becomes current. Nothing without a current row.
  void DeleteCurrentRow();

  // A mouse press on `row` (-1 or past the end: no row) at x: the row becomes
  // current; a left press on a flag cell toggles that flag. True when a flag
  // changed and the list must be repainted.
  bool PressAt(int row, bool leftButton, int x, int itemHeight);

  // Adds the section's rows through AddDirectoryEntry, then makes row 0 current.
  void Load(const TSectionReader& reader);
  TKeyValues Save() const;

 private:
  void SetFlag(int row, uint8_t bit, bool value);
  std::vector<TDirectoryEntry> entries_;
};
