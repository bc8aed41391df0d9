// TFavorites: up to 20 favourite picture paths, oldest first, newest last, no
// two the same by SameName; stored as the "FavoritePictures" section.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/settings/SectionValues.h"
#include "core/text/AsciiText.h"
#include "core/text/SameNameRule.h"

constexpr int32_t kMaxFavoriteCount = 20;
extern const char* const kTooManyFavoritesMessage;  // "Can't add any more favorites."
extern const char* const kFavoritesSection;         // "FavoritePictures"

class TFavorites {
 public:
  int32_t Count = 0;
  std::array<std::string, kMaxFavoriteCount> Titles;  // slots 0 .. Count-1 in use
  // Whether two paths name one picture.
  TSameNameRule SameName = SameTextAscii;

  // Makes the title the newest favourite, dropping an older equal one and, when
  // full, the oldest. Empty titles, bare drives, paths without a file name and
  // paths longer than the stored-path limit in UTF-16 units are refused.
  void Add(const std::string& title);
  // Removes the equal entry, moving the later ones down; nothing when absent.
  void Delete(const std::string& title);

  // The slot shown as menu item k (0 = newest).
  int32_t SlotOfMenuItem(int32_t k) const { return Count - 1 - k; }

  // Adds the section's titles through Add, oldest first.
  void Load(const TSectionReader& reader);
  TKeyValues Save() const;

 private:
  void RemoveSlot(int32_t slot);
};
