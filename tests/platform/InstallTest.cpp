// The installer's file, registry and folder operations on real files, the
// write-access question and the settings folder.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "core/trace/FunStatus.h"
#include "platform/FileOperations.h"
#include "platform/SettingsDirectory.h"
#include "platform/SpecialFolders.h"
#include "platform/UninstallRegistry.h"
#include "platform/WriteAccess.h"

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

TEST_F(InstallFilesTest, PackageCopyTakesOnlyTheNamedEntriesAndUninstallOnlyThemAgain) {
  CreateDirectoryA(Path("Downloads").c_str(), nullptr);
  CreateDirectoryA(Path("Downloads\\CalendarSkins").c_str(), nullptr);
  CreateDirectoryA(Path("Downloads\\Photos").c_str(), nullptr);
  Write(Path("Downloads\\Install.exe"), "program");
  Write(Path("Downloads\\Readme.txt"), "read me", FILE_ATTRIBUTE_READONLY);
  Write(Path("Downloads\\Help.html"), "help", FILE_ATTRIBUTE_HIDDEN);
  Write(Path("Downloads\\CalendarSkins\\Blue.wps"), "[CalendarSkin]");
  Write(Path("Downloads\\Photos\\Beach.jpg"), "private");
  Write(Path("Downloads\\Tax return.pdf"), "private");

  const std::vector<std::string> names = {"Install.exe", "Readme.txt", "Help.html", "Help.hlp", "CalendarSkins"};
  EXPECT_TRUE(CopyPackageFiles(Path("Downloads"), Path("Muralotrope"), names));
  EXPECT_EQ(Read(Path("Muralotrope\\Install.exe")), "program");
  EXPECT_EQ(Read(Path("Muralotrope\\Readme.txt")), "read me");
  EXPECT_EQ(Read(Path("Muralotrope\\CalendarSkins\\Blue.wps")), "[CalendarSkin]");
  EXPECT_FALSE(Exists(Path("Muralotrope\\Help.html"))) << "hidden entries are not the package's";
  EXPECT_FALSE(Exists(Path("Muralotrope\\Help.hlp")));
  EXPECT_FALSE(Exists(Path("Muralotrope\\Photos")));
  EXPECT_FALSE(Exists(Path("Muralotrope\\Tax return.pdf")));
  // Again over the installed copy, read-only files included.
  Write(Path("Downloads\\Readme.txt"), "new read me");
  EXPECT_TRUE(CopyPackageFiles(Path("Downloads"), Path("Muralotrope"), names));
  EXPECT_EQ(Read(Path("Muralotrope\\Readme.txt")), "new read me");

  // Something of the user's in the program's folder stays, and so does the folder.
  Write(Path("Muralotrope\\Notes.txt"), "mine");
  EXPECT_TRUE(DeleteNamedEntries(Path("Muralotrope"), {"Install.exe", "Readme.txt", "CalendarSkins", "Errors.log"}));
  EXPECT_FALSE(Exists(Path("Muralotrope\\Install.exe")));
  EXPECT_FALSE(Exists(Path("Muralotrope\\Readme.txt")));
  EXPECT_FALSE(Exists(Path("Muralotrope\\CalendarSkins")));
  EXPECT_EQ(Read(Path("Muralotrope\\Notes.txt")), "mine");
  // Without it, the folder goes too.
  EXPECT_TRUE(DeleteNamedEntries(Path("Muralotrope"), {"Notes.txt"}));
  EXPECT_FALSE(Exists(Path("Muralotrope")));
  EXPECT_EQ(Read(Path("Downloads\\Tax return.pdf")), "private");
}

TEST_F(InstallFilesTest, AFileHeldAgainstWritingIsInUse) {
  Write(Path("Muralotrope.exe"), "running");
  EXPECT_FALSE(IsFileInUse(Path("Muralotrope.exe")));
  HANDLE running = CreateFileA(Path("Muralotrope.exe").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(running, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(IsFileInUse(Path("Muralotrope.exe")));
  CloseHandle(running);
  EXPECT_FALSE(IsFileInUse(Path("Muralotrope.exe")));
  EXPECT_FALSE(IsFileInUse(Path("Missing.exe")));
}

// The environment variable is the tests' stand-in for a folder the user may not write.
class DeclaredUnwritable {
 public:
  explicit DeclaredUnwritable(const std::string& folders) {
    SetEnvironmentVariableA("MURALOTROPE_TEST_UNWRITABLE_FOLDERS", folders.c_str());
  }
  ~DeclaredUnwritable() { SetEnvironmentVariableA("MURALOTROPE_TEST_UNWRITABLE_FOLDERS", nullptr); }
};

std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return names;
  do names.emplace_back(entry.cFileName);
  while (FindNextFileA(search, &entry));
  FindClose(search);
  return names;
}

TEST_F(InstallFilesTest, WriteAccessIsTriedInTheFolderOrTheNearestOneAboveIt) {
  CreateDirectoryA(Path("Program Files").c_str(), nullptr);
  const std::vector<std::string> before = Names(root_);
  EXPECT_TRUE(CanWriteInFolder(root_));
  EXPECT_TRUE(CanWriteInFolder(Path("Program Files\\Muralotrope\\")));
  EXPECT_EQ(Names(root_), before) << "the scratch file is gone";
  EXPECT_FALSE(Exists(Path("Program Files\\Muralotrope")));
  EXPECT_FALSE(CanWriteInFolder("Q:\\No drive\\Muralotrope"));
  {
    DeclaredUnwritable unwritable("D:\\Elsewhere;" + Path("Program Files"));
    EXPECT_FALSE(CanWriteInFolder(Path("Program Files\\Muralotrope\\")));
    EXPECT_FALSE(CanWriteInFolder(Path("program files")));
    EXPECT_TRUE(CanWriteInFolder(root_));
  }
  EXPECT_TRUE(CanWriteInFolder(Path("Program Files\\Muralotrope\\")));
}

TEST_F(InstallFilesTest, MigrationCopiesTheOptionsFileAndSkinsOnceAndKeepsWhatIsThere) {
  const std::string program = Path("Program"), home = Path("Home");
  CreateDirectoryA(program.c_str(), nullptr);
  CreateDirectoryA((program + "\\CalendarSkins").c_str(), nullptr);
  CreateDirectoryA(home.c_str(), nullptr);
  CreateDirectoryA((home + "\\CalendarSkins").c_str(), nullptr);
  Write(program + "\\Muralotrope.ini", "[Main]\r\nHotkey=Q\r\n");
  Write(program + "\\CalendarSkins\\Blue.wps", "blue");
  Write(program + "\\CalendarSkins\\Red.wps", "red");
  Write(home + "\\CalendarSkins\\Red.wps", "my red");

  EXPECT_TRUE(MigrateSettings(program, home));
  EXPECT_EQ(Read(home + "\\Muralotrope.ini"), "[Main]\r\nHotkey=Q\r\n");
  EXPECT_EQ(Read(home + "\\CalendarSkins\\Blue.wps"), "blue");
  EXPECT_EQ(Read(home + "\\CalendarSkins\\Red.wps"), "my red");
  EXPECT_EQ(Names(home).size(), 4u) << "'.', '..', the options file and the skins; no temporary file";

  // The user's folder has its own options now: nothing comes over again.
  Write(home + "\\Muralotrope.ini", "[Main]\r\nHotkey=K\r\n");
  DeleteFileA((home + "\\CalendarSkins\\Blue.wps").c_str());
  EXPECT_TRUE(MigrateSettings(program, home));
  EXPECT_EQ(Read(home + "\\Muralotrope.ini"), "[Main]\r\nHotkey=K\r\n");
  EXPECT_FALSE(Exists(home + "\\CalendarSkins\\Blue.wps"));
}

TEST(UninstallRegistryTest, EntryIsWrittenUnderTheMachinesUninstallKeyAndDeletedAgain) {
  const std::string name = "MuralotropeTest" + std::to_string(GetCurrentProcessId());
  const std::string key = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + name;
  // Run as an administrator, the process may make the entry and, once made, delete it.
  EXPECT_TRUE(CanWriteUninstallRegistry(name));
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

  EXPECT_TRUE(CanWriteUninstallRegistry(name));
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
