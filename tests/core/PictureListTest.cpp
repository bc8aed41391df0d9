#include "core/PictureList.h"

#include <gtest/gtest.h>

#include <strings.h>

namespace {

int CompareNoCase(const std::string& a, const std::string& b) {
  return strcasecmp(a.c_str(), b.c_str());
}

TEST(PictureListTest, OneSortedDuplicateFreeBlockPerActiveRow) {
  // A recursive row over P and a row for its subdirectory; an inactive row between.
  std::vector<DirectoryEntry> rows = {{"C:\\P", DirectoryActiveBit | DirectoryRecursiveBit},
                                      {"C:\\Q", DirectoryRecursiveBit},
                                      {"C:\\P\\Sub", DirectoryActiveBit}};
  std::vector<std::pair<std::string, bool>> walked;
  const TDirectoryWalker walk = [&](const std::string& directory, bool recursive,
                                    std::vector<std::string>& out) {
    walked.emplace_back(directory, recursive);
    if (recursive) out = {"C:\\P\\b.jpg", "C:\\P\\B.JPG", "C:\\P\\Sub\\c.png", "C:\\P\\a.jpg"};
    else out = {"C:\\P\\Sub\\c.png"};
  };
  std::vector<std::string> pictures = {"stale"};
  BuildPictureList(rows, walk, CompareNoCase, pictures);
  const std::vector<std::string> expected = {"C:\\P\\a.jpg", "C:\\P\\b.jpg", "C:\\P\\Sub\\c.png",
                                             "C:\\P\\Sub\\c.png"};
  EXPECT_EQ(pictures, expected);
  EXPECT_EQ(walked, (std::vector<std::pair<std::string, bool>>{{"C:\\P", true}, {"C:\\P\\Sub", false}}));
  EXPECT_EQ(PictureListClipboardText({"a", "b"}), "a\r\nb\r\n");
}

TEST(PictureListTest, FindTextUsesTheCollationAndTheStart) {
  const std::vector<std::string> list = {"C:\\a.jpg", "C:\\B.jpg", "C:\\b.JPG"};
  EXPECT_EQ(FindTextInList("c:\\b.jpg", list, 0, CompareNoCase), 1);
  EXPECT_EQ(FindTextInList("c:\\b.jpg", list, 2, CompareNoCase), 2);
  EXPECT_EQ(FindTextInList("C:\\x.jpg", list, 0, CompareNoCase), -1);
}

}  // namespace
