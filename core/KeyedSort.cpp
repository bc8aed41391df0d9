#include "core/KeyedSort.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <numeric>

namespace {

// One stored key: the full key is the reference key's first `Shared` bytes
// followed by the `Length` bytes at `Data`. Paths in one folder share most of
// their keys, so keeping only what differs from the reference keeps the keys
// of a large library small.
struct TStoredKey {
  const uint8_t* Data;
  uint32_t Length;
  uint32_t Shared;
};

int CompareBytes(const uint8_t* a, size_t aLength, const uint8_t* b, size_t bLength) {
  const int result = std::memcmp(a, b, std::min(aLength, bLength));
  if (result != 0) return result;
  return aLength < bLength ? -1 : (aLength > bLength ? 1 : 0);
}

// The keys of one sort, in large chunks rather than one allocation each.
class TKeyStore {
 public:
  explicit TKeyStore(size_t count) { keys_.reserve(count); }

  void Add(const std::string& key) {
    if (keys_.empty()) reference_ = key;
    const size_t limit = std::min(key.size(), reference_.size());
    size_t shared = 0;
    while (shared < limit && key[shared] == reference_[shared]) ++shared;
    const size_t length = key.size() - shared;
    uint8_t* data = Reserve(length);
    if (length > 0) std::memcpy(data, key.data() + shared, length);
    keys_.push_back({data, static_cast<uint32_t>(length), static_cast<uint32_t>(shared)});
  }

  int Compare(uint32_t a, uint32_t b) const { return Compare(keys_[a], keys_[b]); }

 private:
  static constexpr size_t kChunkSize = 64 * 1024;

  uint8_t* Reserve(size_t length) {
    if (length > kChunkSize) {
      chunks_.emplace_back(new uint8_t[length]);
      return chunks_.back().get();
    }
    if (chunks_.empty() || used_ + length > kChunkSize) {
      chunks_.emplace_back(new uint8_t[kChunkSize]);
      used_ = 0;
    }
    uint8_t* data = chunks_.back().get() + used_;
    used_ += length;
    return data;
  }

  int Compare(const TStoredKey& a, const TStoredKey& b) const {
    if (a.Shared == b.Shared) return CompareBytes(a.Data, a.Length, b.Data, b.Length);
    if (a.Shared > b.Shared) return -Compare(b, a);
    // Both keys start with the reference's first a.Shared bytes; b goes on
    // with the reference up to b.Shared, where a already has its own bytes.
    const size_t gap = b.Shared - a.Shared;
    const auto* reference = reinterpret_cast<const uint8_t*>(reference_.data()) + a.Shared;
    const int result = std::memcmp(a.Data, reference, std::min<size_t>(a.Length, gap));
    if (result != 0) return result;
    if (a.Length < gap) return -1;
    return CompareBytes(a.Data + gap, a.Length - gap, b.Data, b.Length);
  }

  std::string reference_;
  std::vector<TStoredKey> keys_;
  std::vector<std::unique_ptr<uint8_t[]>> chunks_;
  size_t used_ = 0;
};

// Puts texts[order[k]] at position k for every k, in place.
void Permute(std::vector<std::string>& texts, std::vector<uint32_t>& order) {
  constexpr uint32_t kDone = std::numeric_limits<uint32_t>::max();
  for (uint32_t start = 0; start < order.size(); ++start) {
    if (order[start] == kDone) continue;
    std::string held = std::move(texts[start]);
    uint32_t at = start;
    for (;;) {
      const uint32_t from = order[at];
      order[at] = kDone;
      if (from == start) {
        texts[at] = std::move(held);
        break;
      }
      texts[at] = std::move(texts[from]);
      at = from;
    }
  }
}

}  // namespace

bool SortUniqueTextsByKeys(std::vector<std::string>& texts, const TSortKeyMaker& makeKey) {
  if (texts.size() >= std::numeric_limits<uint32_t>::max()) return false;
  const auto count = static_cast<uint32_t>(texts.size());
  TKeyStore keys(count);
  std::string key;
  for (const std::string& text : texts) {
    key.clear();
    if (!makeKey(text, key) || key.size() > std::numeric_limits<uint32_t>::max()) return false;
    keys.Add(key);
  }
  std::vector<uint32_t> order(count);
  std::iota(order.begin(), order.end(), 0u);
  // Equal keys keep their first order, so the first of equal texts stays.
  std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
    const int result = keys.Compare(a, b);
    return result != 0 ? result < 0 : a < b;
  });
  // The kept texts first, the dropped ones after them, so that `order` stays
  // a permutation.
  std::vector<uint32_t> dropped;
  uint32_t kept = 0;
  for (uint32_t k = 0; k < count; ++k) {
    if (kept > 0 && keys.Compare(order[kept - 1], order[k]) == 0) dropped.push_back(order[k]);
    else order[kept++] = order[k];
  }
  std::copy(dropped.begin(), dropped.end(), order.begin() + kept);
  Permute(texts, order);
  texts.resize(kept);
  return true;
}
