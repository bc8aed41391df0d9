// The installer's file, registry and folder operations on real files.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "core/FunStatus.h"
#include "platform/FileOperations.h"
#include "platform/SpecialFolders.h"
#include "platform/UninstallRegistry.h"

namespace {

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void Write(const std::string& path, const std::string& text, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  std::ofstream(path, std::ios::binary) << text;
  SetFileAttributesA(path.c_str(), attributes);
}

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class InstallFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    root_ = std::string(temp) + "mt_install_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(root_.c_str(), nullptr);
  }
  void TearDown() override {
    std::string from = root_ + std::string(1, '\0');
    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&operation);
  }
  std::string Path(const std::string& name) const { return root_ + "\\" + name; }
  std::string root_;
};

TEST_F(InstallFilesTest, CopyLeavesHiddenAndSystemEntriesOutAndReplacesReadOnlyFiles) {
  CreateDirectoryA(Path("Dist").c_str(), nullptr);
  CreateDirectoryA(Path("Dist\\Skins").c_str(), nullptr);
  CreateDirectoryA(Path("Dist\\Secret").c_str(), nullptr);
  SetFileAttributesA(Path("Dist\\Secret").c_str(), FILE_ATTRIBUTE_HIDDEN);
  Write(Path("Dist\\Install.exe"), "new program");
  Write(Path("Dist\\Skins\\Blue.wps"), "[CalendarSkin]");
  Write(Path("Dist\\Secret\\Key.txt"), "secret");
  Write(Path("Dist\\Thumbs.db"), "cache", FILE_ATTRIBUTE_HIDDEN);
  Write(Path("Dist\\Desktop.ini"), "shell", FILE_ATTRIBUTE_SYSTEM);
  CreateDirectoryA(Path("Installed").c_str(), nullptr);
  Write(Path("Installed\\Install.exe"), "old program", FILE_ATTRIBUTE_READONLY);
  Write(Path("Installed\\Muralotrope.ini"), "[Main]");

  EXPECT_TRUE(CopyDeleteDirectory(Path("Dist"), Path("Installed"), true));
  EXPECT_EQ(Read(Path("Installed\\Install.exe")), "new program");
  EXPECT_EQ(Read(Path("Installed\\Skins\\Blue.wps")), "[CalendarSkin]");
  EXPECT_EQ(Read(Path("Installed\\Muralotrope.ini")), "[Main]");
  EXPECT_FALSE(Exists(Path("Installed\\Secret")));
  EXPECT_FALSE(Exists(Path("Installed\\Thumbs.db")));
  EXPECT_FALSE(Exists(Path("Installed\\Desktop.ini")));

  // Onto itself there is nothing to copy, and nothing fails.
  EXPECT_TRUE(CopyDeleteDirectory(Path("Dist"), Path("Dist\\"), true));
  EXPECT_EQ(Read(Path("Dist\\Install.exe")), "new program");
}

TEST_F(InstallFilesTest, RenameReplacesOnlyWhenAsked) {
  Write(Path("Install.exe"), "new");
  Write(Path("Muralotrope.exe"), "old", FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(MyRenameFile(Path("Install.exe"), Path("Muralotrope.exe"), false));
  EXPECT_EQ(FunStatContext.Description, "Failed to rename.");
  EXPECT_EQ(Read(Path("Muralotrope.exe")), "old");

  EXPECT_TRUE(MyRenameFile(Path("Install.exe"), Path("Muralotrope.exe"), true));
  EXPECT_EQ(Read(Path("Muralotrope.exe")), "new");
  EXPECT_FALSE(Exists(Path("Install.exe")));
}

TEST_F(InstallFilesTest, DeleteDirectoryTakesEverythingButFilesInUse) {
  const std::string folder = Path("Muralotrope");
  CreateDirectoryA(folder.c_str(), nullptr);
  CreateDirectoryA((folder + "\\CalendarSkins").c_str(), nullptr);
  Write(folder + "\\Readme.txt", "read me", FILE_ATTRIBUTE_READONLY);
  Write(folder + "\\Errors.log", "log", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  Write(folder + "\\CalendarSkins\\Red.wps", "skin", FILE_ATTRIBUTE_READONLY);
  SetFileAttributesA((folder + "\\CalendarSkins").c_str(), FILE_ATTRIBUTE_READONLY);
  Write(folder + "\\Muralotrope.exe", "running");
  HANDLE inUse = CreateFileA((folder + "\\Muralotrope.exe").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                             OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(inUse, INVALID_HANDLE_VALUE);

  EXPECT_FALSE(DeleteDirectoryNoErrors(folder));
  EXPECT_EQ(FunStatContext.Description, "Failed to delete directory content.");
  EXPECT_TRUE(Exists(folder + "\\Muralotrope.exe"));
  EXPECT_FALSE(Exists(folder + "\\Readme.txt"));
  EXPECT_FALSE(Exists(folder + "\\Errors.log"));
  EXPECT_FALSE(Exists(folder + "\\CalendarSkins"));

  CloseHandle(inUse);
  EXPECT_TRUE(DeleteDirectoryNoErrors(folder + "\\"));
  EXPECT_FALSE(Exists(folder));
  EXPECT_FALSE(DeleteDirectoryNoErrors(folder));
  EXPECT_EQ(FunStatContext.Description, "Can not find directory.");
}

TEST(UninstallRegistryTest, EntryIsWrittenUnderTheMachinesUninstallKeyAndDeletedAgain) {
  const std::string name = "MuralotropeTest" + std::to_string(GetCurrentProcessId());
  const std::string key = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + name;
  ASSERT_TRUE(SetUninstallRegistry(name, "Muralotrope", "C:\\Apps\\Muralotrope\\Muralotrope.exe /Uninstall"));
  char text[512] = {};
  DWORD size = sizeof text;
  EXPECT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), "UninstallString", RRF_RT_REG_SZ, nullptr, text, &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(text, "C:\\Apps\\Muralotrope\\Muralotrope.exe /Uninstall");
  size = sizeof text;
  EXPECT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), "DisplayName", RRF_RT_REG_SZ, nullptr, text, &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(text, "Muralotrope");

  EXPECT_TRUE(DeleteUninstallerRegistry(name));
  HKEY opened = nullptr;
  EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &opened), ERROR_SUCCESS);
  // An entry that is already gone is no failure.
  EXPECT_TRUE(DeleteUninstallerRegistry(name));
}

TEST(SpecialFoldersTest, UsersAndSystemsFoldersAreRecognisedAProgramFolderIsNot) {
  const std::string documents = GetSystemDirectoryPath(CSIDL_PERSONAL);
  ASSERT_FALSE(documents.empty());
  EXPECT_EQ(documents.back(), '\\');
  EXPECT_TRUE(IsUserOrSystemFolder(documents));
  EXPECT_TRUE(IsUserOrSystemFolder(documents.substr(0, documents.size() - 1)));
  EXPECT_TRUE(IsUserOrSystemFolder(GetSystemDirectoryPath(CSIDL_PROFILE)));
  EXPECT_TRUE(IsUserOrSystemFolder(GetSystemDirectoryPath(CSIDL_PROGRAM_FILES)));
  EXPECT_TRUE(IsUserOrSystemFolder("C:\\"));
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string program = std::string(temp) + "mt_program_" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(program.c_str(), nullptr);
  EXPECT_FALSE(IsUserOrSystemFolder(program + "\\"));
  RemoveDirectoryA(program.c_str());
}

TEST(SpecialFoldersTest, AFolderTheShellCannotGiveIsAFailureNeverAnEmptyPrefix) {
  EXPECT_EQ(GetSystemDirectoryPath(0x7E), "");
  EXPECT_EQ(FunStatContext.Description, "Failed to get folder.");
  EXPECT_EQ(FunStatContext.Parameter1, "CSIDL 126");
  EXPECT_NE(FunStatContext.SystemErrorCode, 0u);
  EXPECT_FALSE(GetSystemDirectoryPath(CSIDL_PERSONAL).empty());
  EXPECT_FALSE(FunStatContext.Failed());
}

}  // namespace
