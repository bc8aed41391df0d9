#include "core/catalogue/DroppedFiles.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(DroppedFilesTest, WhatEachDroppedPathStandsFor) {
  EXPECT_EQ(DroppedPathDirectory("C:\\Pics\\a.jpg", false), "C:\\Pics");
  EXPECT_EQ(DroppedPathDirectory("C:\\Pics", true), "C:\\Pics");
  EXPECT_EQ(DroppedPathDirectory("C:\\a.jpg", false), "C:");  // a picture in a drive's root
  EXPECT_EQ(DroppedPathDirectory("C:\\", true), "C:\\");      // the root itself
  EXPECT_EQ(DroppedPathDirectory("D:", false), "D:");
  EXPECT_EQ(DroppedPathDirectory("a.jpg", false), "");
}

TEST(DroppedFilesTest, OneRowPerDirectoryUntilTheListIsFull) {
  const std::set<std::string> directories = {"C:\\Pics", "E:\\One", "E:\\Two"};
  const auto isDirectory = [&](const std::string& path) { return directories.count(path) > 0; };
  TDirectoryList list;
  TDropResult result = AddDroppedPaths(
      list, {"C:\\Pics\\a.jpg", "C:\\Pics\\b.jpg", "C:\\Pics", "c:\\pics\\c.jpg", "x.jpg"}, isDirectory);
  EXPECT_EQ(result.Added, 1);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Entries()[0].Flags, DirectoryActiveBit);

  while (list.Count() < 99) list.AddDirectoryEntry(std::to_string(list.Count()), true, false);
  result = AddDroppedPaths(list, {"E:\\One", "E:\\Two"}, isDirectory);
  EXPECT_EQ(result.Added, 1);
  EXPECT_TRUE(result.TooManyDirectories);
  EXPECT_EQ(list.Entries().back().Path, "E:\\One");
}

}  // namespace
