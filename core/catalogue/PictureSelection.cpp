#include "core/catalogue/PictureSelection.h"

#include <cctype>

#include "core/trace/FunStatus.h"
#include "core/catalogue/PathParts.h"

const char* const kEmptyTitleAndNoIndexMessage = "Empty file title and no picture index.";

void TPictureSelection::SelectPicture(int32_t index, const std::string& title) {
  LastAutoChangeTime = Services.Now();
  ForgetUnreadable();
  if (index >= 0 && static_cast<size_t>(index) < PictureList.size()) {
    CurrentPictureIndex = index;
    CurrentFileTitle = PictureList[index];
    return;
  }
  if (title.empty() && Services.ShowError) Services.ShowError(kEmptyTitleAndNoIndexMessage);
  CurrentFileTitle = title;
  CurrentPictureIndex = FindTextInList(title, PictureList, 0, Services.Collate);
}

void TPictureSelection::ChangePicture(bool forward, bool random) {
  if (PictureList.empty()) return;
  LastAutoChangeTime = Services.Now();
  CurrentFileTitle = FindNextPicture(forward, random, true);
}

bool TPictureSelection::AllPicturesUnreadable() const {
  return !PictureList.empty() && UnreadableInARow >= PictureList.size();
}

void TPictureSelection::ForgetUnreadable() {
  const bool saidSo = AllPicturesUnreadable();
  UnreadableInARow = 0;
  if (saidSo) ShowPictureLabels();
}

void TPictureSelection::ChangePictureUntilShown(bool forward, bool random, const std::function<bool()>& show) {
  ForgetUnreadable();
  while (true) {
    ChangePicture(forward, random);
    if (show()) return;
    ++UnreadableInARow;
    if (PictureList.empty() || AllPicturesUnreadable()) break;
    if (random) forward = true;
    random = false;
  }
  if (AllPicturesUnreadable()) ShowPictureLabels();
}

int32_t TPictureSelection::DrawIndex(int32_t count) const {
  // Truncating remainder: it takes the sign of the drawn number.
  const int32_t remainder = Services.RandomNumber() % count;
  return remainder < 0 ? -remainder : remainder;
}

void TPictureSelection::ShowPictureLabels() const {
  if (Services.ShowPictureLabels) Services.ShowPictureLabels();
}

std::string TPictureSelection::SequentialNextPicture() const {
  if (PictureList.empty()) return std::string();
  // As FindNextPicture steps forward: past the end, or no current picture, means the first.
  const int64_t next = static_cast<int64_t>(CurrentPictureIndex) + 1;
  return PictureList[next < 0 || next >= static_cast<int64_t>(PictureList.size()) ? 0 : static_cast<size_t>(next)];
}

std::string TPictureSelection::FindNextPicture(bool forward, bool random, bool updateIndex) {
  int32_t n = static_cast<int32_t>(PictureList.size());
  if (n == 0) return std::string();
  const int32_t start = CurrentPictureIndex;
  int32_t current = CurrentPictureIndex;  // follows the current picture through removals
  int32_t i = start;
  bool removed = false;
  for (;;) {
    const int32_t last = n - 1;
    if (random) {
      i = DrawIndex(n);
      if (n > 1 && SameTextAscii(PictureList[i], CurrentFileTitle)) i = DrawIndex(n);
    } else if (forward) {
      const int64_t next = static_cast<int64_t>(i) + 1;
      i = (next > last || next < 0) ? 0 : static_cast<int32_t>(next);
    } else {
      // Past the end counts as after the last entry, so a stale position never
      // reads outside the list.
      const int64_t previous = static_cast<int64_t>(i) - 1;
      i = (previous < 0 || previous > last) ? last : static_cast<int32_t>(previous);
    }
    if (Services.FileExists(PictureList[i])) break;
    const int32_t gone = i;
    PictureList.erase(PictureList.begin() + gone);
    i = start >= gone ? start - 1 : start;
    if (current > gone) --current;
    else if (current == gone) current = -1;
    --n;
    removed = true;
    if (n == 0) break;
  }
  CurrentPictureIndex = (current >= n) ? -1 : current;
  if (n > 0 && updateIndex) CurrentPictureIndex = i;
  if (removed) ShowPictureLabels();
  return n > 0 ? PictureList[i] : std::string();
}

void TPictureSelection::LoadPictureFileNames(const std::vector<TDirectoryEntry>& rows,
                                             const TDirectoryWalker& walk) {
  FUN_TRACE("TMainForm::LoadPictureFileNames");
  FUN_GUARD({
    CurrentPictureIndex =
        BuildPictureList(rows, walk, Services.Collate, PictureList, Services.SortKey, &CurrentFileTitle);
    UnreadableInARow = 0;  // the labels are shown next
    ShowPictureLabels();
  });
}

std::string IndexInputPrefill(int32_t currentPictureIndex) {
  return std::to_string(static_cast<int64_t>(currentPictureIndex) + 1);
}

namespace {

// Optional blanks, a sign, decimal digits and optional blanks, and nothing else.
bool ReadDecimal(const std::string& text, int64_t& value) {
  size_t at = 0;
  size_t end = text.size();
  while (at < end && text[at] == ' ') ++at;
  while (end > at && text[end - 1] == ' ') --end;
  bool negative = false;
  if (at < end && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  if (at == end) return false;
  value = 0;
  for (; at < end; ++at) {
    if (!std::isdigit(static_cast<unsigned char>(text[at]))) return false;
    value = value * 10 + (text[at] - '0');
    if (value > INT32_MAX) return false;
  }
  if (negative) value = -value;
  return true;
}

}  // namespace

int32_t IndexInputChoice(const std::string& answer, int32_t currentPictureIndex, size_t count) {
  const int64_t position = static_cast<int64_t>(currentPictureIndex) + 1;
  int64_t value = position;
  if (!answer.empty() && !ReadDecimal(answer, value)) return -1;
  if (value < 1 || value > static_cast<int64_t>(count) || value == position) return -1;
  return static_cast<int32_t>(value - 1);
}
