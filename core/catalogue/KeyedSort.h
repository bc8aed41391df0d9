// Sorting texts under a collation by sort keys made once per text, instead of
// one collation call per compared pair: the collation is the costly part.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Writes into `key` bytes that order the text as the collation does: two texts
// compare as their keys compare byte by byte and are equal exactly when their
// keys are. False when no key can be made.
using TSortKeyMaker = std::function<bool(const std::string& text, std::string& key)>;

// Sorts the texts by their keys, equal texts in their first order, and drops
// every text equal to an earlier one. With `findKey`, `found` receives the
// sorted position of the text whose key equals it, or -1. False, with the
// texts unchanged, when a key cannot be made.
bool SortUniqueTextsByKeys(std::vector<std::string>& texts, const TSortKeyMaker& makeKey,
                           const std::string* findKey = nullptr, int32_t* found = nullptr);
