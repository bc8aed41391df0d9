// The current picture and how it moves: select by position or path, step
// forward or backward, draw at random, skip and drop entries whose files have
// vanished, and the "Index" box's rule.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/catalogue/DirectoryList.h"
#include "core/catalogue/PictureList.h"

extern const char* const kEmptyTitleAndNoIndexMessage;  // "Empty file title and no picture index."

// What the selection needs from the running system.
struct TSelectionServices {
  std::function<double()> Now;                                // local date-time, days since 1899-12-30
  std::function<bool(const std::string& path)> FileExists;    // an existing directory counts too
  std::function<int32_t()> RandomNumber;                      // Random.Get
  TCollation Collate;                                         // user locale, case-insensitive
  TSortKeyMaker SortKey;                                      // Collate's sort keys; empty: sort by Collate
  std::function<void()> ShowPictureLabels;                    // count label, then current-picture label
  std::function<void(const std::string& text)> ShowError;     // the error box
};

struct TPictureSelection {
  std::vector<std::string> PictureList;
  int32_t CurrentPictureIndex = -1;  // -1: the current picture is not in the list
  std::string CurrentFileTitle;
  double LastAutoChangeTime = 0;
  TSelectionServices Services;

  // Index >= 0 selects that entry; otherwise (or past the end) the title
  // becomes current and is looked up in the list. Stamps LastAutoChangeTime.
  void SelectPicture(int32_t index, const std::string& title);

  // The next, previous or a random existing entry becomes current; nothing at
  // all when the list is empty.
  void ChangePicture(bool forward, bool random);

  // Pictures that could not be read one after another by the last
  // ChangePictureUntilShown; a selection or a reload of the list starts again.
  size_t UnreadableInARow = 0;
  // Every entry of the list failed to load in a row: changes are no longer
  // forced until a scheduled change, a reload of the list or a user action.
  bool AllPicturesUnreadable() const;

  // ChangePicture, then show, which composes the current picture and returns
  // false only when it could not be read. After such a picture it steps on the
  // same way (forward after a random one, so that every entry gets its turn)
  // until one is shown or every entry failed in a row; then the labels say so.
  void ChangePictureUntilShown(bool forward, bool random, const std::function<bool()>& show);

  // The next, previous or a random entry whose file exists, removing the
  // vanished ones met on the way; empty when none is left. Moves
  // CurrentPictureIndex to the result only when updateIndex is set; otherwise
  // it keeps naming the current picture.
  std::string FindNextPicture(bool forward, bool random, bool updateIndex);
  // The picture a sequential Next would show, the list left untouched (no file is
  // tested); empty when the list is.
  std::string SequentialNextPicture() const;

  // Rebuilds PictureList from the rows, finds the current picture again and
  // refreshes the labels. Traced; a failure is recorded, not shown.
  void LoadPictureFileNames(const std::vector<TDirectoryEntry>& rows, const TDirectoryWalker& walk);

 private:
  int32_t DrawIndex(int32_t count) const;
  void ShowPictureLabels() const;
  // Starts counting unreadable pictures anew; the labels follow when they said none could be read.
  void ForgetUnreadable();
};

// The "Index" box's pre-filled text: the current position counting from 1, 0
// when the current picture is not in the list.
std::string IndexInputPrefill(int32_t currentPictureIndex);

// The entry to select for the box's answer, or -1 to change nothing: an empty
// answer stands for the pre-filled value; a decimal integer must lie in
// 1..count and differ from the current position.
int32_t IndexInputChoice(const std::string& answer, int32_t currentPictureIndex, size_t count);
