#include "core/text/Utf8Text.h"

#include <cstdint>

namespace {

bool InRange(uint8_t byte, uint8_t low, uint8_t high) { return byte >= low && byte <= high; }

// The character at `at`: its length in bytes, and whether it is well formed.
struct TCharacter {
  size_t Length = 1;
  bool Valid = false;
};

TCharacter ReadCharacter(std::string_view text, size_t at) {
  const uint8_t lead = static_cast<uint8_t>(text[at]);
  if (lead < 0x80) return {1, true};
  // Continuation bytes needed, and the range of the first one (the rest are
  // always 80..BF); the narrow ranges exclude overlong forms, surrogates and
  // code points above U+10FFFF.
  size_t needed = 0;
  uint8_t low = 0x80, high = 0xBF;
  if (InRange(lead, 0xC2, 0xDF)) needed = 1;
  else if (lead == 0xE0) needed = 2, low = 0xA0;
  else if (lead == 0xED) needed = 2, high = 0x9F;
  else if (InRange(lead, 0xE1, 0xEF)) needed = 2;
  else if (lead == 0xF0) needed = 3, low = 0x90;
  else if (InRange(lead, 0xF1, 0xF3)) needed = 3;
  else if (lead == 0xF4) needed = 3, high = 0x8F;
  else return {1, false};
  for (size_t k = 1; k <= needed; ++k) {
    if (at + k >= text.size()) return {k, false};
    const uint8_t byte = static_cast<uint8_t>(text[at + k]);
    if (!(k == 1 ? InRange(byte, low, high) : InRange(byte, 0x80, 0xBF))) return {k, false};
  }
  return {needed + 1, true};
}

// UTF-16 units of a character: four-byte sequences lie above U+FFFF.
size_t Utf16Units(const TCharacter& character) {
  return character.Valid && character.Length == 4 ? 2 : 1;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
  for (size_t at = 0; at < text.size();) {
    const TCharacter character = ReadCharacter(text, at);
    if (!character.Valid) return false;
    at += character.Length;
  }
  return true;
}

size_t Utf8CharacterLength(std::string_view text, size_t at) { return ReadCharacter(text, at).Length; }

size_t Utf8CharacterCount(std::string_view text) {
  size_t count = 0;
  for (size_t at = 0; at < text.size(); at += ReadCharacter(text, at).Length) ++count;
  return count;
}

size_t Utf16Length(std::string_view text) {
  size_t units = 0;
  for (size_t at = 0; at < text.size();) {
    const TCharacter character = ReadCharacter(text, at);
    units += Utf16Units(character);
    at += character.Length;
  }
  return units;
}

std::string_view CutUtf8ToBytes(std::string_view text, size_t maxBytes) {
  size_t at = 0;
  while (at < text.size()) {
    const size_t next = at + ReadCharacter(text, at).Length;
    if (next > maxBytes) break;
    at = next;
  }
  return text.substr(0, at);
}

std::string_view CutUtf8ToCharacters(std::string_view text, size_t maxCharacters) {
  size_t at = 0;
  for (size_t count = 0; at < text.size() && count < maxCharacters; ++count) at += ReadCharacter(text, at).Length;
  return text.substr(0, at);
}

std::string_view CutUtf8ToUtf16Units(std::string_view text, size_t maxUnits) {
  size_t at = 0, units = 0;
  while (at < text.size()) {
    const TCharacter character = ReadCharacter(text, at);
    if (units + Utf16Units(character) > maxUnits) break;
    units += Utf16Units(character);
    at += character.Length;
  }
  return text.substr(0, at);
}
