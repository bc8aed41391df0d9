#include "core/InstallRules.h"

#include <gtest/gtest.h>

TEST(InstallRulesTest, DestinationIsTheBasePlusTheDistributionFoldersName) {
  EXPECT_EQ(InstallDestination("C:\\Program Files\\", "D:\\Downloads\\Muralotrope\\"), "C:\\Program Files\\Muralotrope");
  EXPECT_EQ(InstallDestination("C:\\Apps", "D:\\Muralotrope"), "C:\\Apps\\Muralotrope");
  EXPECT_EQ(LastPathComponent("C:\\"), "");
  EXPECT_EQ(WithTrailingBackslash(""), "");
}

TEST(InstallRulesTest, UninstallNeverDeletesRootsOrTheUsersFolders) {
  const std::vector<std::string> protectedFolders = {"C:\\windows", "C:\\Program Files",
                                                     "C:\\users\\ann\\Documents"};
  EXPECT_TRUE(IsProtectedDirectory("C:\\", protectedFolders));
  EXPECT_TRUE(IsProtectedDirectory("C:", protectedFolders));
  EXPECT_TRUE(IsProtectedDirectory("", protectedFolders));
  EXPECT_TRUE(IsProtectedDirectory("c:\\WINDOWS\\", protectedFolders));
  EXPECT_TRUE(IsProtectedDirectory("C:\\Program Files\\", protectedFolders));
  EXPECT_TRUE(IsProtectedDirectory("C:\\Users\\Ann\\documents", protectedFolders));
  EXPECT_TRUE(IsProtectedDirectory("C:\\USERS\\", protectedFolders));
  EXPECT_FALSE(IsProtectedDirectory("C:\\Program Files\\Muralotrope\\", protectedFolders));
  EXPECT_FALSE(IsProtectedDirectory("C:\\Users\\Ann\\Documents\\Muralotrope", protectedFolders));
}

TEST(InstallRulesTest, SameOrInsideDirectoryMatchesWholeComponentsOnly) {
  EXPECT_TRUE(IsSameOrInsideDirectory("C:\\Dist\\Muralotrope", "c:\\dist\\"));
  EXPECT_TRUE(IsSameOrInsideDirectory("C:\\Dist\\", "C:\\Dist"));
  EXPECT_FALSE(IsSameOrInsideDirectory("C:\\Distribution\\Muralotrope", "C:\\Dist"));
  EXPECT_FALSE(IsSameOrInsideDirectory("C:\\Program Files\\Muralotrope", "C:\\Dist\\Muralotrope"));
  EXPECT_FALSE(IsSameOrInsideDirectory("C:\\Dist", ""));
}
