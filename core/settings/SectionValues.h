// One options-file section as the catalogue lists read and write it, so that
// they need no store of their own: the store hands in a reader and writes the
// key/value pairs they produce.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// Key/value pairs in the order they are to be written.
using TKeyValues = std::vector<std::pair<std::string, std::string>>;

struct TSectionReader {
  // The key's text; empty when the key is missing.
  std::function<std::string(const std::string& key)> ReadText;
  // The key read by the store's integer rule; the default when missing or unreadable.
  std::function<int32_t(const std::string& key, int32_t defaultValue)> ReadInt;
};

// Stored paths longer than this many UTF-16 units, as the system counts a
// path, are read as empty.
constexpr size_t kMaxStoredPathLength = 260;

inline std::string StoredBoolText(bool value) { return value ? "TRUE" : "FALSE"; }
// Only the exact text "TRUE" is true.
inline bool StoredTextIsTrue(const std::string& text) { return text == "TRUE"; }
