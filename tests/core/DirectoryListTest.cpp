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
