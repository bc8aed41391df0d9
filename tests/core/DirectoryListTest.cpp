#include "core/catalogue/DirectoryList.h"

#include <gtest/gtest.h>

#include <map>

namespace {

TSectionReader ReaderOf(const std::map<std::string, std::string>& values) {
  const auto text = [values](const std::string& key) {
    const auto found = values.find(key);
    return found == values.end() ? std::string() : found->second;
  };
  return {text, [text](const std::string& key, int32_t fallback) {
            const std::string value = text(key);
            return value.empty() ? fallback : static_cast<int32_t>(std::stoi(value));
          }};
}

TEST(DirectoryListTest, AddRefusesEmptyDuplicatesAndTheHundredFirst) {
  TDirectoryList list;
  EXPECT_FALSE(list.AddDirectoryEntry("", true, false));
  EXPECT_TRUE(list.AddBrowsedDirectory("C:\\Pictures"));
  EXPECT_EQ(list.CurrentRow, 0);  // the first row becomes current
  EXPECT_EQ(list.Entries()[0].Flags, DirectoryActiveBit);
  EXPECT_FALSE(list.AddDirectoryEntry("c:\\PICTURES", false, true));
  while (list.Count() < kMaxDirectoryCount) list.AddDirectoryEntry(std::to_string(list.Count()), 1, 0);
  EXPECT_FALSE(list.AddDirectoryEntry("E:\\New", true, false));
  EXPECT_EQ(list.Entries().back().Path, "99");
}

// "Ф" is two UTF-8 bytes and one UTF-16 unit; the emoji four bytes and two units.
std::string Repeated(const std::string& piece, size_t times) {
  std::string text;
  for (size_t n = 0; n < times; ++n) text += piece;
  return text;
}

TEST(DirectoryListTest, PathLimitCountsUtf16UnitsAndNamesMatchByTheGivenRule) {
  TDirectoryList list;
  const std::string cyrillic260 = "C:\\" + Repeated("\xD0\xA4", 257);  // 260 units, 517 bytes
  EXPECT_TRUE(list.AddDirectoryEntry(cyrillic260, true, false));
  EXPECT_FALSE(list.AddDirectoryEntry(cyrillic260 + "x", true, false));
  const std::string emoji259 = "C:\\" + Repeated("\xF0\x9F\x98\x80", 128);  // 259 units
  EXPECT_TRUE(list.AddDirectoryEntry(emoji259, true, false));
  EXPECT_FALSE(list.AddDirectoryEntry(emoji259 + "\xF0\x9F\x98\x80", true, false));  // 261 units
  TDirectoryList loaded;
  loaded.Load(ReaderOf({{"Count", "2"}, {"Title0", cyrillic260}, {"Title1", cyrillic260 + "x"}}));
  EXPECT_EQ(loaded.Count(), 1);

  // "Фото" and "ФОТО": one folder by the file system's rule, two by the letters A to Z.
  const std::string lower = "C:\\\xD0\xA4\xD0\xBE\xD1\x82\xD0\xBE";
  const std::string upper = "C:\\\xD0\xA4\xD0\x9E\xD0\xA2\xD0\x9E";
  TDirectoryList ascii;
  EXPECT_TRUE(ascii.AddDirectoryEntry(lower, true, false));
  EXPECT_TRUE(ascii.AddDirectoryEntry(upper, true, false));
  TDirectoryList folded;
  folded.SameName = [](const std::string& a, const std::string& b) { return a.size() == b.size(); };
  EXPECT_TRUE(folded.AddDirectoryEntry(lower, true, false));
  EXPECT_FALSE(folded.AddDirectoryEntry(upper, true, false));
  folded.Clear();  // keeps the rule
  EXPECT_EQ(folded.Count(), 0);
  EXPECT_EQ(folded.CurrentRow, -1);
  folded.Load(ReaderOf({{"Count", "2"}, {"Title0", lower}, {"Title1", upper}}));
  EXPECT_EQ(folded.Count(), 1);
}

TEST(DirectoryListTest, FlagsTogglesAndDeletion) {
  TDirectoryList list;
  for (const char* path : {"A", "B", "C"}) list.AddDirectoryEntry(path, true, false);
  list.ToggleDirectoryRecursive(0);
  list.SetDirectoryActive(1, false);
  list.ToggleDirectoryActive(7);  // no such row
  EXPECT_EQ(list.Entries()[0].Flags, DirectoryActiveBit | DirectoryRecursiveBit);
  EXPECT_EQ(list.Entries()[1].Flags, 0);

  list.CurrentRow = 2;
  list.DeleteCurrentRow();  // the last row: the new last row becomes current
  EXPECT_EQ(list.CurrentRow, 1);
  list.AddDirectoryEntry("C", true, false);
  list.DeleteCurrentRow();  // the middle row: the row moving up becomes current
  EXPECT_EQ(list.CurrentRow, 1);
  EXPECT_EQ(list.Entries()[1].Path, "C");
  list.CurrentRow = -1;
  list.DeleteCurrentRow();
  EXPECT_EQ(list.Count(), 2);
}

TEST(DirectoryListTest, RowGeometryAndWhichClickTogglesWhat) {
  EXPECT_EQ(DirectoryRowGeometry(19).ActiveRight, 38);
  EXPECT_EQ(DirectoryRowGeometry(19).RecursiveRight, 85);
  EXPECT_EQ(DirectoryRowGeometry(17).RecursiveRight, 76);  // 76.5 truncated
  // The font's height plus 4 while "Active" and "Recurs" fit their cells ...
  EXPECT_EQ(DirectoryRowHeight(15, 32, 41), 19);
  // ... else just tall enough for the wider of them: 2h - 6 >= 49 and 4.5h - 2h - 6 >= 57.
  EXPECT_EQ(DirectoryRowHeight(20, 49, 40), 28);
  EXPECT_EQ(DirectoryRowHeight(20, 40, 61), 27);

  TDirectoryList list;
  list.AddDirectoryEntry("A", false, false);
  list.AddDirectoryEntry("B", false, false);
  EXPECT_FALSE(list.PressAt(1, false, 10, 19));  // right button: selects only
  EXPECT_EQ(list.CurrentRow, 1);
  EXPECT_TRUE(list.PressAt(0, true, 37, 19));
  EXPECT_TRUE(list.PressAt(0, true, 38, 19));
  EXPECT_TRUE(list.PressAt(0, true, 84, 19));
  EXPECT_FALSE(list.PressAt(0, true, 85, 19));
  EXPECT_FALSE(list.PressAt(-1, true, 5, 19));  // over no row
  EXPECT_EQ(list.CurrentRow, 0);
  EXPECT_EQ(list.Entries()[0].Flags, DirectoryActiveBit);
  EXPECT_EQ(list.Entries()[1].Flags, 0);
}

TEST(DirectoryListTest, LoadDropsBadRowsAndSaveWritesEveryRow) {
  TDirectoryList tooMany;
  tooMany.Load(ReaderOf({{"Count", "150"}, {"Title0", "C:\\A"}}));
  EXPECT_EQ(tooMany.Count(), 0);
  EXPECT_EQ(tooMany.CurrentRow, -1);

  TDirectoryList list;
  list.Load(ReaderOf({{"Count", "4"}, {"Title1", "C:\\B"}, {"Active1", "true"},
                      {"Recurs1", "TRUE"}, {"Title2", std::string(261, 'x')},
                      {"Title3", "C:\\D"}, {"Active3", "TRUE"}, {"Title4", "C:\\E"}}));
  EXPECT_EQ(list.CurrentRow, 0);
  const TKeyValues expected = {{"Count", "2"},      {"Title0", "C:\\B"}, {"Active0", "FALSE"},
                               {"Recurs0", "TRUE"}, {"Title1", "C:\\D"}, {"Active1", "TRUE"},
                               {"Recurs1", "FALSE"}};
  EXPECT_EQ(list.Save(), expected);
}

}  // namespace
