// PictureList: the full paths of the usable pictures, one sorted,
// duplicate-free block per active directory row, in row order.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/catalogue/DirectoryList.h"
#include "core/catalogue/KeyedSort.h"

// The user locale's case-insensitive collation: negative, zero or positive.
using TCollation = std::function<int(const std::string& a, const std::string& b)>;

// Appends to `files` the full paths of the picture files in `directory`, and in
// its subdirectories when `recursive` is set. The platform's directory walk,
// with the picture filter already bound.
using TDirectoryWalker =
    std::function<void(const std::string& directory, bool recursive, std::vector<std::string>& files)>;

// Sorts under the collation and drops every entry equal to an earlier one, so
// that of equal entries the first added stays. With `makeKey` (the same
// collation's sort keys) each text is looked at once rather than once per
// compared pair; without it, or when a key cannot be made, by comparisons.
void SortUniqueTexts(std::vector<std::string>& texts, const TCollation& compare,
                     const TSortKeyMaker& makeKey = {});

// Position of the first entry at or after `start` equal to `text` under the
// collation, or -1.
int32_t FindTextInList(const std::string& text, const std::vector<std::string>& list,
                       int32_t start, const TCollation& compare);

// Empties `pictureList`, then appends one sorted block per active row, in row
// order. Built in place, so a failure part-way keeps what was appended. With
// `findText`, returns the position FindTextInList(*findText, pictureList, 0)
// gives, found through the blocks' sort keys when there are keys rather than
// by a collation call per entry; otherwise -1.
int32_t BuildPictureList(const std::vector<TDirectoryEntry>& rows, const TDirectoryWalker& walk,
                         const TCollation& compare, std::vector<std::string>& pictureList,
                         const TSortKeyMaker& makeKey = {}, const std::string* findText = nullptr);

// Every path followed by CR LF, in list order: the clipboard text of the list.
std::string PictureListClipboardText(const std::vector<std::string>& pictureList);
