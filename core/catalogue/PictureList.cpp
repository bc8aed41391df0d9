#include "core/catalogue/PictureList.h"

#include <algorithm>
#include <iterator>

void SortUniqueTexts(std::vector<std::string>& texts, const TCollation& compare, const TSortKeyMaker& makeKey) {
  if (makeKey && SortUniqueTextsByKeys(texts, makeKey)) return;
  std::stable_sort(texts.begin(), texts.end(), [&](const std::string& a, const std::string& b) {
    return compare(a, b) < 0;
  });
  const auto end = std::unique(texts.begin(), texts.end(),
                               [&](const std::string& a, const std::string& b) {
                                 return compare(a, b) == 0;
                               });
  texts.erase(end, texts.end());
}

int32_t FindTextInList(const std::string& text, const std::vector<std::string>& list,
                       int32_t start, const TCollation& compare) {
  for (size_t i = static_cast<size_t>(std::max<int32_t>(start, 0)); i < list.size(); ++i)
    if (compare(list[i], text) == 0) return static_cast<int32_t>(i);
  return -1;
}

int32_t BuildPictureList(const std::vector<TDirectoryEntry>& rows, const TDirectoryWalker& walk,
                         const TCollation& compare, std::vector<std::string>& pictureList,
                         const TSortKeyMaker& makeKey, const std::string* findText) {
  pictureList.clear();
  std::string findKey;
  const bool findByKey = findText && makeKey && makeKey(*findText, findKey);
  int32_t found = -1;
  std::vector<std::string> block;
  for (const TDirectoryEntry& row : rows) {
    if (!row.Active()) continue;
    block.clear();
    walk(row.Path, row.Recursive(), block);
    const bool findHere = findText && found < 0;
    int32_t foundHere = -1;
    const bool keyed =
        makeKey && SortUniqueTextsByKeys(block, makeKey, findHere && findByKey ? &findKey : nullptr, &foundHere);
    if (!keyed) SortUniqueTexts(block, compare);
    if (findHere && !(keyed && findByKey)) foundHere = FindTextInList(*findText, block, 0, compare);
    if (findHere && foundHere >= 0) found = static_cast<int32_t>(pictureList.size()) + foundHere;
    // Moved, not copied: a block may hold a whole library.
    if (pictureList.empty()) pictureList.swap(block);
    else pictureList.insert(pictureList.end(), std::make_move_iterator(block.begin()),
                            std::make_move_iterator(block.end()));
  }
  // The list stays as long as the program runs; the room it grew into need not.
  pictureList.shrink_to_fit();
  return found;
}

std::string PictureListClipboardText(const std::vector<std::string>& pictureList) {
  std::string text;
  for (const std::string& path : pictureList) text += path + "\r\n";
  return text;
}
