#include "platform/ShellLink.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <string>

#include "core/trace/FunStatus.h"

namespace {

class ShellLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "mt_links_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder_.c_str(), nullptr);
    target_ = folder_ + "\\Muralotrope.exe";
    CloseHandle(CreateFileA(target_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    link_ = folder_ + "\\Muralotrope.lnk";
  }
  void TearDown() override {
    DeleteFileA(link_.c_str());
    DeleteFileA(target_.c_str());
    RemoveDirectoryA(folder_.c_str());
    CoUninitialize();
  }
  FILETIME WriteTime() const {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(link_.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
  }
  std::string folder_, target_, link_;
};

TEST_F(ShellLinkTest, MakeLinkByStatusCreatesKeepsRewritesAndDeletes) {
  ASSERT_TRUE(MakeLinkByStatus(folder_, target_, "", true, true, ""));
  TLinkFile loaded;
  ASSERT_TRUE(loaded.Load(link_, false));
  EXPECT_STREQ(loaded.ReferencePath.c_str(), target_.c_str());
  EXPECT_EQ(loaded.Arguments, "");
  EXPECT_EQ(loaded.WorkingPath, "");
  EXPECT_EQ(loaded.ShowCommand, 7);

  // The same shortcut again leaves the file as it is.
  const FILETIME before = WriteTime();
  Sleep(20);  // file times must be able to differ; this is not a synchronisation
  ASSERT_TRUE(MakeLinkByStatus(folder_, target_, "", true, true, ""));
  const FILETIME after = WriteTime();
  EXPECT_EQ(CompareFileTime(&before, &after), 0);

  // A different argument rewrites it.
  ASSERT_TRUE(MakeLinkByStatus(folder_, target_, "", true, true, "ShowOnStart"));
  ASSERT_TRUE(loaded.Load(link_, false));
  EXPECT_EQ(loaded.Arguments, "ShowOnStart");

  ASSERT_TRUE(MakeLinkByStatus(folder_, target_, "", false, true, ""));
  EXPECT_EQ(GetFileAttributesA(link_.c_str()), INVALID_FILE_ATTRIBUTES);
  // Deleting a shortcut that is gone is no failure.
  EXPECT_TRUE(MakeLinkByStatus(folder_, target_, "", false, true, ""));
}

TEST_F(ShellLinkTest, RefusesChainedLinksAndNonLinksAndKeepsExistingWithoutReplace) {
  TLinkFile chained;
  chained.ReferencePath = folder_ + "\\Other.LNK";
  EXPECT_FALSE(chained.Save(link_, true));
  EXPECT_EQ(FunStatContext.Description, "This operating system does not support chained links.");

  TLinkFile notLink;
  EXPECT_FALSE(notLink.Load(folder_ + "\\notes.txt", false));
  EXPECT_EQ(FunStatContext.Description, "File is not a link.");

  ASSERT_TRUE(CopyFileAsLink(target_, link_, true, false, true, "one"));
  EXPECT_TRUE(CopyFileAsLink(target_, link_, false, false, true, "two"));
  TLinkFile loaded;
  ASSERT_TRUE(loaded.Load(link_, false));
  EXPECT_EQ(loaded.Arguments, "one");
}

TEST_F(ShellLinkTest, ShortNamesAreStoredLongAndAShortcutToItselfIsReported) {
  const std::string longFolder = folder_ + "\\Long Folder Name For Links";
  const std::string longTarget = longFolder + "\\Long Target Name.exe";
  CreateDirectoryA(longFolder.c_str(), nullptr);
  CloseHandle(CreateFileA(longTarget.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  char shortTarget[MAX_PATH] = {};
  GetShortPathNameA(longTarget.c_str(), shortTarget, MAX_PATH);
  const bool hasShortName = std::string(shortTarget).find('~') != std::string::npos;
  if (hasShortName) {
    EXPECT_EQ(FullLinkPath(shortTarget), longTarget);
    ASSERT_TRUE(CopyFileAsLink(shortTarget, link_, true, false, false, ""));
    TLinkFile loaded;
    ASSERT_TRUE(loaded.Load(link_, false));
    EXPECT_EQ(loaded.ReferencePath, longTarget);
  }
  DeleteFileA(link_.c_str());
  DeleteFileA(longTarget.c_str());
  RemoveDirectoryA(longFolder.c_str());

  // Written with the shell's own object, which does not refuse it.
  CloseHandle(CreateFileA(link_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  IShellLinkA* shell = nullptr;
  ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                         reinterpret_cast<void**>(&shell))));
  shell->SetPath(link_.c_str());
  IPersistFile* file = nullptr;
  ASSERT_TRUE(SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))));
  const std::wstring wideLink(link_.begin(), link_.end());
  const HRESULT saved = file->Save(wideLink.c_str(), TRUE);
  file->Release();
  shell->Release();
  ASSERT_TRUE(SUCCEEDED(saved));
  TLinkFile self;
  EXPECT_FALSE(self.Load(link_, false));
  EXPECT_EQ(FunStatContext.Description, "This file is most probably a virus because it links to itself.");
  if (!hasShortName) GTEST_SKIP() << "this file system gives no short names";
}

}  // namespace
