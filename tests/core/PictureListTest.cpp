#include "core/catalogue/PictureList.h"

#include <gtest/gtest.h>

#include <strings.h>

namespace {

int CompareNoCase(const std::string& a, const std::string& b) {
  return strcasecmp(a.c_str(), b.c_str());
}

TEST(PictureListTest, OneSortedDuplicateFreeBlockPerActiveRow) {
  // A recursive row over P and a row for its subdirectory; an inactive row between.
  std::vector<TDirectoryEntry> rows = {{"C:\\P", DirectoryActiveBit | DirectoryRecursiveBit},
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

namespace {

// Keys for CompareNoCase: the lowered bytes.
bool LowerCaseKey(const std::string& text, std::string& key) {
  for (const char c : text) key += static_cast<char>(tolower(static_cast<unsigned char>(c)));
  return true;
}

TEST(PictureListTest, SortKeysGiveTheOrderTheDropsAndTheFindsOfTheCollation) {
  // Paths as a walk gives them, a folder's names one after the other, and
  // shuffled: they share starts of every length with one another.
  uint32_t seed = 12345;
  const auto next = [&](uint32_t range) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) % range;
  };
  const char* const folders[] = {"C:\\Pictures\\", "C:\\Pictures\\Holiday\\", "C:\\PICTURES\\holiday\\x",
                                 "D:\\", "c:\\pictures\\", "C:\\Pictures\\Holiday\\2019 Summer at the Sea\\"};
  const auto name = [&](std::string text) {
    for (uint32_t length = next(6); length > 0; --length) text += "aAbB._"[next(6)];
    return text;
  };
  for (int round = 0; round < 60; ++round) {
    std::vector<std::string> texts;
    const uint32_t count = next(300);
    const bool byFolder = round % 2 == 0;
    for (uint32_t i = 0; i < count;) {
      const std::string folder = folders[next(6)];
      for (uint32_t run = byFolder ? 1 + next(40) : 1; run > 0 && i < count; --run, ++i) texts.push_back(name(folder));
    }
    std::vector<std::string> byComparisons = texts, byKeys = texts;
    SortUniqueTexts(byComparisons, CompareNoCase);
    SortUniqueTexts(byKeys, CompareNoCase, LowerCaseKey);
    ASSERT_EQ(byKeys, byComparisons) << "round " << round;
    for (int probe = 0; probe < 5; ++probe) {
      const std::string text = probe == 0 || texts.empty() ? name("C:\\Pictures\\") : texts[next(count)];
      std::string key;
      LowerCaseKey(text, key);
      std::vector<std::string> sorted = texts;
      int32_t found = -2;
      ASSERT_TRUE(SortUniqueTextsByKeys(sorted, LowerCaseKey, &key, &found));
      EXPECT_EQ(found, FindTextInList(text, byComparisons, 0, CompareNoCase)) << text;
    }
  }
  // Of equal texts the first added stays.
  std::vector<std::string> texts = {"B", "a", "b", "A", "", "ab", "a"};
  SortUniqueTexts(texts, CompareNoCase, LowerCaseKey);
  EXPECT_EQ(texts, (std::vector<std::string>{"", "a", "ab", "B"}));
}

TEST(PictureListTest, WithoutKeysTheCollationSorts) {
  int made = 0;
  const TSortKeyMaker failsOnThird = [&](const std::string& text, std::string& key) {
    return ++made < 3 && LowerCaseKey(text, key);
  };
  std::vector<std::string> texts = {"c", "B", "a", "b"};
  SortUniqueTexts(texts, CompareNoCase, failsOnThird);
  EXPECT_EQ(made, 3);
  EXPECT_EQ(texts, (std::vector<std::string>{"a", "B", "c"}));

  // The picture list takes the keys for its blocks.
  std::vector<TDirectoryEntry> rows = {{"C:\\P", DirectoryActiveBit}, {"C:\\Q", DirectoryActiveBit}};
  const TDirectoryWalker walk = [](const std::string& directory, bool, std::vector<std::string>& out) {
    out = {directory + "\\b.jpg", directory + "\\A.jpg", directory + "\\a.JPG"};
  };
  int keys = 0;
  const TSortKeyMaker counting = [&](const std::string& text, std::string& key) {
    ++keys;
    return LowerCaseKey(text, key);
  };
  std::vector<std::string> pictures;
  EXPECT_EQ(BuildPictureList(rows, walk, CompareNoCase, pictures, counting), -1);
  EXPECT_EQ(keys, 6);
  const std::vector<std::string> expected = {"C:\\P\\A.jpg", "C:\\P\\b.jpg", "C:\\Q\\A.jpg", "C:\\Q\\b.jpg"};
  EXPECT_EQ(pictures, expected);

  // The current picture is found on the way, through the keys: no collation
  // call per entry; in any letter case; in the first block that holds it.
  int compared = 0;
  const TCollation countingCompare = [&](const std::string& a, const std::string& b) {
    ++compared;
    return CompareNoCase(a, b);
  };
  const std::string inSecond = "c:\\q\\B.JPG", inBoth = "C:\\P\\A.jpg", absent = "C:\\P\\gone.jpg";
  EXPECT_EQ(BuildPictureList(rows, walk, countingCompare, pictures, counting, &inSecond), 3);
  EXPECT_EQ(BuildPictureList(rows, walk, countingCompare, pictures, counting, &inBoth), 0);
  EXPECT_EQ(BuildPictureList(rows, walk, countingCompare, pictures, counting, &absent), -1);
  EXPECT_EQ(compared, 0);
  EXPECT_EQ(pictures, expected);
  // Without keys, by the collation.
  EXPECT_EQ(BuildPictureList(rows, walk, countingCompare, pictures, {}, &inSecond), 3);
  EXPECT_GT(compared, 0);
  // A block whose keys cannot all be made is searched by the collation.
  int madeKeys = 0;  // the looked-for text's, then three per block
  const TSortKeyMaker failsInSecondBlock = [&](const std::string& text, std::string& key) {
    return ++madeKeys != 6 && LowerCaseKey(text, key);
  };
  EXPECT_EQ(BuildPictureList(rows, walk, CompareNoCase, pictures, failsInSecondBlock, &inSecond), 3);
  EXPECT_EQ(pictures, expected);
  // So is every block when the looked-for text has no key.
  madeKeys = 0;
  const TSortKeyMaker failsOnTheLookedForText = [&](const std::string& text, std::string& key) {
    return ++madeKeys != 1 && LowerCaseKey(text, key);
  };
  EXPECT_EQ(BuildPictureList(rows, walk, CompareNoCase, pictures, failsOnTheLookedForText, &inSecond), 3);
}

}  // namespace
