// Text in UTF-8 as the system counts and cuts it: well-formedness, character
// and UTF-16 counts, and cuts that never fall inside a character.
//
// A byte that starts no well-formed sequence, or the longest start of a
// sequence that breaks off, counts as one character, as the system decodes
// such a piece to one replacement character (U+FFFD) inside a text.
#pragma once

#include <cstddef>
#include <string_view>

// No overlong form, no surrogate, nothing above U+10FFFF, no sequence cut short.
bool IsValidUtf8(std::string_view text);

// Bytes of the character that starts at `at` (at < text.size()).
size_t Utf8CharacterLength(std::string_view text, size_t at);

// Characters (code points).
size_t Utf8CharacterCount(std::string_view text);

// UTF-16 units, as the system counts a name against its limits: two for a
// character above U+FFFF, one for any other.
size_t Utf16Length(std::string_view text);

// The longest start of the text that ends on a character boundary and holds
// at most maxBytes bytes, maxCharacters characters or maxUnits UTF-16 units.
std::string_view CutUtf8ToBytes(std::string_view text, size_t maxBytes);
std::string_view CutUtf8ToCharacters(std::string_view text, size_t maxCharacters);
std::string_view CutUtf8ToUtf16Units(std::string_view text, size_t maxUnits);
