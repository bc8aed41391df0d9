#include "core/catalogue/Favorites.h"

#include <utility>

#include "core/catalogue/PathParts.h"
#include "core/text/Utf8Text.h"

const char* const kTooManyFavoritesMessage = "Can't add any more favorites.";
const char* const kFavoritesSection = "FavoritePictures";

void TFavorites::RemoveSlot(int32_t slot) {
  for (int32_t k = slot; k + 1 < Count; ++k) Titles[k] = std::move(Titles[k + 1]);
  Titles[Count - 1].clear();
  --Count;
}

void TFavorites::Add(const std::string& title) {
  if (title.empty() || IsBareDrive(title) || FileNamePart(title).empty()) return;
  if (Utf16Length(title) > kMaxStoredPathLength) return;
  if (Count >= 1 && SameName(Titles[Count - 1], title)) return;
  Delete(title);
  if (Count == kMaxFavoriteCount) RemoveSlot(0);
  Titles[Count++] = title;
}

void TFavorites::Delete(const std::string& title) {
  for (int32_t slot = 0; slot < Count; ++slot) {
    if (SameName(Titles[slot], title)) {
      RemoveSlot(slot);
      return;
    }
  }
}

void TFavorites::Load(const TSectionReader& reader) {
  int32_t count = reader.ReadInt("Count", 0);
  if (count < 0 || count > kMaxFavoriteCount) count = 0;
  for (int32_t n = 0; n < count; ++n) Add(reader.ReadText("Title" + std::to_string(n)));
}

TKeyValues TFavorites::Save() const {
  TKeyValues values;
  values.emplace_back("Count", std::to_string(Count));
  for (int32_t n = 0; n < Count; ++n) values.emplace_back("Title" + std::to_string(n), Titles[n]);
  return values;
}
