// The system's side of the UTF-8 text rules: how it counts broken UTF-8, and
// the legacy code page that files of earlier versions were written in.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/settings/StoredTextEncoding.h"
#include "core/text/Utf8Text.h"
#include "platform/LegacyCodePage.h"

namespace {

TEST(TextEncodingTest, Utf16LengthCountsAsTheSystemDecodes) {
  // Well-formed names, and a sequence broken off inside a name; how a broken
  // sequence at the very end or an encoded surrogate decodes differs between systems.
  for (const std::string& text : {std::string("plain"), std::string("\xD0\xA4\xD0\xBE\xD1\x82\xD0\xBE \xE5\x86\x99"),
                                  std::string("\xF0\x9F\x93\xB7.jpg"), std::string("\xE5\x86x"),
                                  std::string("\xC0\x80"), std::string("a\xFF" "b")}) {
    const int system = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    EXPECT_EQ(Utf16Length(text), static_cast<size_t>(system)) << text;
  }
}

TEST(TextEncodingTest, LegacyFilesAreReadInTheSystemCodePage) {
  if (LegacyAnsiCodePage() != 1252) GTEST_SKIP() << "the texts are written for code page 1252";
  EXPECT_EQ(LegacyTextToUtf8("Fotos de Espa\xF1" "a \x80"), "Fotos de Espa\xC3\xB1" "a \xE2\x82\xAC");
  EXPECT_EQ(LegacyTextToUtf8(""), "");
  const std::string file = "[DirectoryList]\r\nTitle0=C:\\Fotos de Espa\xF1" "a\r\n";
  EXPECT_EQ(StoredTextAsUtf8(file, LegacyTextToUtf8), "[DirectoryList]\r\nTitle0=C:\\Fotos de Espa\xC3\xB1" "a\r\n");
  // Text that is UTF-8 already is not decoded a second time.
  const std::string utf8 = "Title0=C:\\Fotos de Espa\xC3\xB1" "a";
  EXPECT_EQ(StoredTextAsUtf8(utf8, LegacyTextToUtf8), utf8);
}

}  // namespace
