#include "core/catalogue/KeyedSort.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <numeric>

namespace {

// A key as two pieces: the start of a reference key, then bytes of its own.
struct TKeyPieces {
  const uint8_t* Piece[2];
  size_t Length[2];
};

// Byte order of two keys given as pieces, after `skip` leading bytes known to be equal.
int ComparePieces(const TKeyPieces& a, const TKeyPieces& b, size_t skip) {
  size_t pieceA = 0, atA = skip, pieceB = 0, atB = skip;
  const auto settle = [](const TKeyPieces& key, size_t& piece, size_t& at) {
    while (piece < 2 && at >= key.Length[piece]) at -= key.Length[piece++];
  };
  settle(a, pieceA, atA);
  settle(b, pieceB, atB);
  while (pieceA < 2 && pieceB < 2) {
    const size_t length = std::min(a.Length[pieceA] - atA, b.Length[pieceB] - atB);
    const int result = std::memcmp(a.Piece[pieceA] + atA, b.Piece[pieceB] + atB, length);
    if (result != 0) return result;
    atA += length;
    atB += length;
    settle(a, pieceA, atA);
    settle(b, pieceB, atB);
  }
  return pieceA < 2 ? 1 : (pieceB < 2 ? -1 : 0);
}

// The keys of one sort. A key is kept as the start it shares with a
// reference key plus its own remaining bytes: paths in one folder share most
// of their keys, so a large library's keys take a fraction of their length.
// A key that shares much more with the key before it than with the current
// reference makes that key the new reference: the walk gives a folder's names
// one after the other.
class TKeyStore {
 public:
  explicit TKeyStore(size_t count) { keys_.reserve(count); }

  // False when the key is too long to be kept.
  bool Add(const std::string& key) {
    if (key.size() > kMaxKeyLength) return false;
    if (references_.empty()) {
      references_.push_back(Store(key.data(), key.size()));
    } else {
      const size_t shared = SharedLength(key, Reference(references_.back()));
      if (SharedLength(key, previous_) > shared + kNewReferenceGain)
        references_.push_back(Store(previous_.data(), previous_.size()));
    }
    const size_t shared = SharedLength(key, Reference(references_.back()));
    const TSpan own = Store(key.data() + shared, key.size() - shared);
    keys_.push_back({own.Offset, static_cast<uint16_t>(own.Length), static_cast<uint16_t>(shared),
                     static_cast<uint32_t>(references_.size() - 1)});
    previous_ = key;
    return true;
  }

  int Compare(uint32_t a, uint32_t b) const {
    const TStoredKey& keyA = keys_[a];
    const TStoredKey& keyB = keys_[b];
    // On one reference the shorter shared start is equal in both.
    const size_t skip = keyA.Reference == keyB.Reference ? std::min(keyA.Shared, keyB.Shared) : 0;
    return ComparePieces(Pieces(keyA), Pieces(keyB), skip);
  }

  int Compare(uint32_t a, const std::string& key) const {
    const TKeyPieces other = {{Bytes(key.data()), kNoBytes}, {key.size(), 0}};
    return ComparePieces(Pieces(keys_[a]), other, 0);
  }

 private:
  static constexpr size_t kChunkBits = 16;
  static constexpr size_t kChunkSize = size_t{1} << kChunkBits;
  static constexpr size_t kMaxKeyLength = std::numeric_limits<uint16_t>::max();
  static constexpr size_t kNewReferenceGain = 32;
  static constexpr uint8_t kNoBytes[1] = {0};

  struct TSpan {
    uint32_t Offset;
    size_t Length;
  };
  struct TStoredKey {
    uint32_t Offset;  // of its own bytes
    uint16_t Length;  // of its own bytes
    uint16_t Shared;  // bytes taken from the start of its reference
    uint32_t Reference;
  };

  static const uint8_t* Bytes(const char* text) { return reinterpret_cast<const uint8_t*>(text); }

  static size_t SharedLength(const std::string& key, std::string_view other) {
    const size_t limit = std::min(key.size(), other.size());
    size_t shared = 0;
    while (shared < limit && key[shared] == other[shared]) ++shared;
    return shared;
  }

  // Bytes in 64 KiB chunks, never split across two: no allocation per key,
  // and an offset in 32 bits finds them.
  TSpan Store(const char* bytes, size_t length) {
    if (chunks_.empty() || used_ + length > kChunkSize) {
      chunks_.emplace_back(new uint8_t[kChunkSize]);
      used_ = 0;
    }
    const auto offset = static_cast<uint32_t>(((chunks_.size() - 1) << kChunkBits) + used_);
    if (length > 0) std::memcpy(chunks_.back().get() + used_, bytes, length);
    used_ += length;
    return {offset, length};
  }

  const uint8_t* At(uint32_t offset) const {
    return chunks_[offset >> kChunkBits].get() + (offset & (kChunkSize - 1));
  }

  std::string_view Reference(const TSpan& reference) const {
    return {reinterpret_cast<const char*>(At(reference.Offset)), reference.Length};
  }

  TKeyPieces Pieces(const TStoredKey& key) const {
    return {{At(references_[key.Reference].Offset), At(key.Offset)}, {key.Shared, key.Length}};
  }

  std::vector<TStoredKey> keys_;
  std::vector<TSpan> references_;
  std::string previous_;
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

bool SortUniqueTextsByKeys(std::vector<std::string>& texts, const TSortKeyMaker& makeKey,
                           const std::string* findKey, int32_t* found) {
  if (found) *found = -1;
  // Positions must fit the picture list's signed 32-bit index.
  if (texts.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) return false;
  const auto count = static_cast<uint32_t>(texts.size());
  TKeyStore keys(count);
  std::string key;
  for (const std::string& text : texts) {
    key.clear();
    if (!makeKey(text, key) || !keys.Add(key)) return false;
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
  if (findKey && found) {
    const auto end = order.begin() + kept;
    const auto at = std::lower_bound(order.begin(), end, *findKey,
                                     [&](uint32_t a, const std::string& k) { return keys.Compare(a, k) < 0; });
    if (at != end && keys.Compare(*at, *findKey) == 0) *found = static_cast<int32_t>(at - order.begin());
  }
  std::copy(dropped.begin(), dropped.end(), order.begin() + kept);
  Permute(texts, order);
  texts.resize(kept);
  return true;
}
