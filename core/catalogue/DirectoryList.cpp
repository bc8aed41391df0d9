#include "core/catalogue/DirectoryList.h"

#include "core/catalogue/PathParts.h"
#include "core/text/Utf8Text.h"

const char* const kTooManyDirectoriesMessage = "Too many directories. Can't add anymore.";
const char* const kDirectoryListSection = "DirectoryList";

TDirectoryRowGeometry DirectoryRowGeometry(int itemHeight) {
  TDirectoryRowGeometry geometry;
  geometry.ActiveRight = 2 * itemHeight;
  geometry.RecursiveRight = (9 * itemHeight) / 2;  // 4.5 h, truncated toward zero
  return geometry;
}

int DirectoryRowHeight(int fontHeight, int activeTextWidth, int recursiveTextWidth) {
  constexpr int kInsets = 2 * 3;
  constexpr int kTallest = 1000;  // no font the list can have needs more
  int height = fontHeight + 4;
  for (; height < kTallest; ++height) {
    const TDirectoryRowGeometry cells = DirectoryRowGeometry(height);
    if (cells.ActiveRight - kInsets >= activeTextWidth &&
        cells.RecursiveRight - cells.ActiveRight - kInsets >= recursiveTextWidth)
      break;
  }
  return height;
}

TDirectoryCell DirectoryCellAt(int x, int itemHeight) {
  const TDirectoryRowGeometry geometry = DirectoryRowGeometry(itemHeight);
  if (x >= 0 && x < geometry.ActiveRight) return TDirectoryCell::Active;
  if (x >= geometry.ActiveRight && x < geometry.RecursiveRight) return TDirectoryCell::Recursive;
  return TDirectoryCell::Path;
}

const char* ActiveCellText(bool active) { return active ? "Active" : "NA"; }
const char* RecursiveCellText(bool recursive) { return recursive ? "Recurs" : "NR"; }

bool TDirectoryList::AddDirectoryEntry(const std::string& path, bool active, bool recursive) {
  if (path.empty() || IsFull() || Utf16Length(path) > kMaxStoredPathLength) return false;
  for (const TDirectoryEntry& entry : entries_)
    if (SameName(entry.Path, path)) return false;
  TDirectoryEntry entry;
  entry.Path = path;
  entry.Flags = static_cast<uint8_t>((active ? DirectoryActiveBit : 0) |
                                     (recursive ? DirectoryRecursiveBit : 0));
  entries_.push_back(entry);
  return true;
}

bool TDirectoryList::AddBrowsedDirectory(const std::string& path) {
  const bool added = AddDirectoryEntry(path, true, false);
  if (Count() == 1) CurrentRow = 0;
  return added;
}

bool TDirectoryList::IsDirectoryActive(int row) const {
  return IsValidRow(row) && entries_[row].Active();
}

bool TDirectoryList::IsDirectoryRecursive(int row) const {
  return IsValidRow(row) && entries_[row].Recursive();
}

void TDirectoryList::SetFlag(int row, uint8_t bit, bool value) {
  if (!IsValidRow(row)) return;
  uint8_t& flags = entries_[row].Flags;
  flags = static_cast<uint8_t>(value ? (flags | bit) : (flags & ~bit));
}

void TDirectoryList::SetDirectoryActive(int row, bool value) {
  SetFlag(row, DirectoryActiveBit, value);
}

void TDirectoryList::ToggleDirectoryActive(int row) {
  SetDirectoryActive(row, !IsDirectoryActive(row));
}

void TDirectoryList::SetDirectoryRecursive(int row, bool value) {
  SetFlag(row, DirectoryRecursiveBit, value);
}

void TDirectoryList::ToggleDirectoryRecursive(int row) {
  SetDirectoryRecursive(row, !IsDirectoryRecursive(row));
}

void TDirectoryList::DeleteCurrentRow() {
  if (!IsValidRow(CurrentRow)) return;
  entries_.erase(entries_.begin() + CurrentRow);
  if (CurrentRow >= Count()) CurrentRow = Count() - 1;
}

bool TDirectoryList::PressAt(int row, bool leftButton, int x, int itemHeight) {
  if (!IsValidRow(row)) return false;
  CurrentRow = row;
  if (!leftButton) return false;
  switch (DirectoryCellAt(x, itemHeight)) {
    case TDirectoryCell::Active: ToggleDirectoryActive(row); return true;
    case TDirectoryCell::Recursive: ToggleDirectoryRecursive(row); return true;
    case TDirectoryCell::Path: return false;
  }
  return false;
}

void TDirectoryList::Load(const TSectionReader& reader) {
  int32_t count = reader.ReadInt("Count", 0);
  if (count < 0 || count > kMaxDirectoryCount) count = 0;
  for (int32_t n = 0; n < count; ++n) {
    const std::string number = std::to_string(n);
    AddDirectoryEntry(reader.ReadText("Title" + number), StoredTextIsTrue(reader.ReadText("Active" + number)),
                      StoredTextIsTrue(reader.ReadText("Recurs" + number)));
  }
  CurrentRow = Count() > 0 ? 0 : -1;
}

TKeyValues TDirectoryList::Save() const {
  TKeyValues values;
  values.emplace_back("Count", std::to_string(Count()));
  for (int n = 0; n < Count(); ++n) {
    const std::string number = std::to_string(n);
    values.emplace_back("Title" + number, entries_[n].Path);
    values.emplace_back("Active" + number, StoredBoolText(entries_[n].Active()));
    values.emplace_back("Recurs" + number, StoredBoolText(entries_[n].Recursive()));
  }
  return values;
}
