#include "platform/ShellLink.h"

#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include "core/FunStatus.h"

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

}  // namespace
