#include "core/control/InstallRules.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(InstallRulesTest, DestinationIsNamedAfterTheProgramWhateverTheDistributionFolderIsCalled) {
  EXPECT_EQ(InstallDestination("C:\\Program Files\\", "Muralotrope"), "C:\\Program Files\\Muralotrope");
  EXPECT_EQ(InstallDestination("C:\\Apps", "Muralotrope"), "C:\\Apps\\Muralotrope");
  EXPECT_EQ(LastPathComponent("C:\\Users\\Ann\\Downloads\\"), "Downloads");
  EXPECT_EQ(LastPathComponent("C:\\"), "");
  EXPECT_EQ(WithTrailingBackslash(""), "");
}

TEST(InstallRulesTest, ThePackageIsTheProgramItsReadmeHelpAndSkinsAndInstallsUnderTheProgramsName) {
  const std::vector<std::string> package = PackageEntries();
  EXPECT_EQ(package.front(), "Install.exe");
  for (const char* name : {"Readme.txt", "Help.html", "CalendarSkins"})
    EXPECT_NE(std::find(package.begin(), package.end(), name), package.end()) << name;
  for (const char* name : {"Muralotrope.ini", "Errors.log", "Photos", "Muralotrope.exe"})
    EXPECT_EQ(std::find(package.begin(), package.end(), name), package.end()) << name;

  std::vector<std::string> installed = InstalledEntries("Muralotrope");
  EXPECT_EQ(installed.front(), "Muralotrope.exe");
  EXPECT_EQ(std::vector<std::string>(installed.begin() + 1, installed.end()),
            std::vector<std::string>(package.begin() + 1, package.end()));
  EXPECT_EQ(ProgramDataEntries("Muralotrope"),
            (std::vector<std::string>{"Muralotrope.ini", "Muralotrope.ini.bak", "Errors.log", "CalendarSkins"}));
}

TEST(InstallRulesTest, ListedFoldersHoldTheirSubfoldersAndOnlyThem) {
  const std::string list = "C:\\Program Files;;D:\\Read Only\\";
  EXPECT_TRUE(IsInsideListedFolder("c:\\program files\\Muralotrope", list));
  EXPECT_TRUE(IsInsideListedFolder("D:\\Read Only", list));
  EXPECT_FALSE(IsInsideListedFolder("C:\\Program Files (x86)\\Muralotrope", list));
  EXPECT_FALSE(IsInsideListedFolder("C:\\", list));
  EXPECT_FALSE(IsInsideListedFolder("C:\\Apps", ""));
}

TEST(InstallRulesTest, RestartParametersCarryTheArgumentsAndComeBackUnchanged) {
  EXPECT_EQ(QuoteArgument("/Uninstall"), "/Uninstall");
  EXPECT_EQ(QuoteArgument(""), "\"\"");
  EXPECT_EQ(QuoteArgument("C:\\Program Files\\"), "\"C:\\Program Files\\\\\"");
  EXPECT_EQ(QuoteArgument("say \"hi\""), "\"say \\\"hi\\\"\"");

  EXPECT_EQ(ElevatedRestartParameters({"C:\\Dist\\Install.exe"}, 42, "C:\\Program Files\\"),
            "/Elevated 42 \"C:\\Program Files\\\\\"");
  EXPECT_EQ(ElevatedRestartParameters({"Muralotrope.exe", "/Uninstall"}, 7, "C:\\Apps\\Muralotrope\\"),
            "/Uninstall /Elevated 7 C:\\Apps\\Muralotrope\\");

  const TElevatedRestart restart =
      ParseElevatedRestart({"Muralotrope.exe", "/Uninstall", "/elevated", "4711", "C:\\Program Files\\"});
  EXPECT_TRUE(restart.IsRestart);
  EXPECT_EQ(restart.ParentProcessId, 4711u);
  EXPECT_EQ(restart.Folder, "C:\\Program Files\\");
  EXPECT_FALSE(ParseElevatedRestart({"/Elevated", "ShowOnStart"}).IsRestart) << "argument 0 is the program";
  EXPECT_FALSE(ParseElevatedRestart({"Install.exe"}).IsRestart);
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
