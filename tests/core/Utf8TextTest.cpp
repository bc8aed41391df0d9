#include "core/text/Utf8Text.h"

#include <gtest/gtest.h>

#include "core/settings/StoredTextEncoding.h"

namespace {

// "Фото 写真 📷": Cyrillic (2 bytes each), CJK (3 bytes each), an emoji (4 bytes, 2 UTF-16 units).
const std::string kPhoto = "\xD0\xA4\xD0\xBE\xD1\x82\xD0\xBE \xE5\x86\x99\xE7\x9C\x9F \xF0\x9F\x93\xB7";

TEST(Utf8TextTest, WellFormedOnlyWithoutOverlongSurrogateOrCutSequences) {
  for (const char* valid : {"", "plain", "Espa\xC3\xB1" "a", "\xEF\xBB\xBF" "bom", "\xF4\x8F\xBF\xBF", "\xED\x9F\xBF"})
    EXPECT_TRUE(IsValidUtf8(valid)) << valid;
  EXPECT_TRUE(IsValidUtf8(kPhoto));
  for (const char* invalid : {"Espa\xF1" "a",        // code page 1252
                              "\xC0\x80",            // overlong NUL
                              "\xE0\x80\xAF",        // overlong "/"
                              "\xED\xA0\x80",        // a surrogate
                              "\xF4\x90\x80\x80",    // above U+10FFFF
                              "\xF5\x80\x80\x80", "\xFF", "\x80",
                              "\xE5\x86",            // cut short at the end
                              "\xE5\x86x"})          // cut short in the middle
    EXPECT_FALSE(IsValidUtf8(invalid)) << invalid;
}

TEST(Utf8TextTest, CountsCharactersAndUtf16Units) {
  EXPECT_EQ(Utf8CharacterCount(kPhoto), 9u);
  EXPECT_EQ(Utf16Length(kPhoto), 10u);
  EXPECT_EQ(Utf16Length("C:\\a.jpg"), 8u);
  // Each broken piece is one character, as the system's replacement character.
  EXPECT_EQ(Utf8CharacterCount("Espa\xF1" "a"), 6u);
  EXPECT_EQ(Utf8CharacterCount("\xE5\x86x"), 2u);
  EXPECT_EQ(Utf16Length("\xF0\x9F\x93"), 1u);
  EXPECT_EQ(Utf8CharacterLength(kPhoto, 0), 2u);
  EXPECT_EQ(Utf8CharacterLength(kPhoto, 9), 3u);
}

TEST(Utf8TextTest, CutsNeverSplitACharacter) {
  // Bytes: "Фото " is 9, "写" ends at 12, "真" at 15, " " at 16, the emoji at 20.
  EXPECT_EQ(CutUtf8ToBytes(kPhoto, 11), kPhoto.substr(0, 9));
  EXPECT_EQ(CutUtf8ToBytes(kPhoto, 12), kPhoto.substr(0, 12));
  EXPECT_EQ(CutUtf8ToBytes(kPhoto, 19), kPhoto.substr(0, 16));
  EXPECT_EQ(CutUtf8ToBytes(kPhoto, 20), kPhoto);
  EXPECT_EQ(CutUtf8ToBytes(kPhoto, 1), "");
  EXPECT_EQ(CutUtf8ToCharacters(kPhoto, 6), kPhoto.substr(0, 12));
  EXPECT_EQ(CutUtf8ToCharacters(kPhoto, 0), "");
  EXPECT_EQ(CutUtf8ToCharacters(kPhoto, 99), kPhoto);
  // The emoji needs two units: with room for one it stays out.
  EXPECT_EQ(CutUtf8ToUtf16Units(kPhoto, 9), kPhoto.substr(0, 16));
  EXPECT_EQ(CutUtf8ToUtf16Units(kPhoto, 10), kPhoto);
  // A tray tip of 127 units: 126 letters and an emoji that does not fit.
  const std::string tip = std::string(126, 't') + "\xF0\x9F\x93\xB7";
  EXPECT_EQ(CutUtf8ToUtf16Units(tip, 127), std::string(126, 't'));
  EXPECT_EQ(CutUtf8ToBytes(tip, 127), std::string(126, 't'));
  // A broken sequence is cut as a whole, never inside.
  EXPECT_EQ(CutUtf8ToBytes("ab\xE5\x86x", 3), "ab");
  EXPECT_EQ(CutUtf8ToBytes("ab\xE5\x86x", 4), "ab\xE5\x86");
}

TEST(Utf8TextTest, JunkIsCountedAndCutWithoutSplittingAPiece) {
  // A megabyte of junk, as a hand-edited file may hold: every cut is a start
  // of the text within its limit, and what it leaves starts a new piece.
  uint32_t seed = 99;
  std::string junk(1 << 20, '\0');
  for (char& c : junk) {
    seed = seed * 1664525u + 1013904223u;
    // Mostly bytes of multi-byte sequences, so that sequences form and break.
    c = static_cast<char>((seed >> 24) < 64 ? (seed >> 16) & 0x7F : 0x80 | ((seed >> 16) & 0x7F));
  }
  EXPECT_FALSE(IsValidUtf8(junk));
  const size_t characters = Utf8CharacterCount(junk);
  EXPECT_LT(characters, junk.size());
  EXPECT_GE(Utf16Length(junk), characters);
  for (int round = 0; round < 400; ++round) {
    seed = seed * 1664525u + 1013904223u;
    const size_t limit = round < 6 ? size_t{127} << round % 6 : (seed >> 8) % 700, at = (seed >> 4) % 100000;
    const std::string_view text = std::string_view(junk).substr(at, 5000);
    for (const std::string_view cut :
         {CutUtf8ToBytes(text, limit), CutUtf8ToCharacters(text, limit), CutUtf8ToUtf16Units(text, limit)}) {
      ASSERT_EQ(text.substr(0, cut.size()), cut);
      EXPECT_EQ(Utf8CharacterCount(cut) + Utf8CharacterCount(text.substr(cut.size())), Utf8CharacterCount(text));
    }
    EXPECT_LE(CutUtf8ToBytes(text, limit).size(), limit);
    EXPECT_EQ(Utf8CharacterCount(CutUtf8ToCharacters(text, limit)), std::min(limit, Utf8CharacterCount(text)));
    EXPECT_LE(Utf16Length(CutUtf8ToUtf16Units(text, limit)), limit);
  }
}

TEST(Utf8TextTest, StoredTextIsUtf8WithMarkOrWellFormedElseLegacy) {
  int decoded = 0;
  const TLegacyDecoder latin1 = [&](std::string_view legacy) {
    ++decoded;
    std::string utf8;
    for (const char c : legacy) {
      const auto byte = static_cast<unsigned char>(c);
      if (byte < 0x80) utf8 += c;
      else utf8 += {static_cast<char>(0xC0 | (byte >> 6)), static_cast<char>(0x80 | (byte & 0x3F))};
    }
    return utf8;
  };
  EXPECT_EQ(DetectStoredTextEncoding("\xEF\xBB\xBF[Main]"), TStoredTextEncoding::Utf8WithByteOrderMark);
  EXPECT_EQ(StoredTextAsUtf8("\xEF\xBB\xBF[Main]", latin1), "[Main]");
  // A mark does not make a broken file legacy: what follows it is taken as it is.
  EXPECT_EQ(StoredTextAsUtf8("\xEF\xBB\xBFx\xF1", latin1), "x\xF1");
  EXPECT_EQ(StoredTextAsUtf8("Title0=" + kPhoto, latin1), "Title0=" + kPhoto);
  EXPECT_EQ(StoredTextAsUtf8("", latin1), "");
  EXPECT_EQ(decoded, 0);
  EXPECT_EQ(DetectStoredTextEncoding("Fotos de Espa\xF1" "a"), TStoredTextEncoding::LegacyCodePage);
  EXPECT_EQ(StoredTextAsUtf8("Fotos de Espa\xF1" "a", latin1), "Fotos de Espa\xC3\xB1" "a");
  EXPECT_EQ(decoded, 1);
  // A UTF-8 file with one hand-typed legacy line keeps its other names as they are.
  EXPECT_EQ(StoredTextAsUtf8("Title0=" + kPhoto + "\r\nTitle1=Espa\xF1" "a\r\nTitle2=" + kPhoto, latin1),
            "Title0=" + kPhoto + "\r\nTitle1=Espa\xC3\xB1" "a\r\nTitle2=" + kPhoto);
  EXPECT_EQ(decoded, 2);
}

}  // namespace
