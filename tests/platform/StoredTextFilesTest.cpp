#include "platform/StoredTextFiles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "core/trace/FunStatus.h"

namespace {

std::string TempPath(const std::string& name) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + name;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(StoredTextFilesTest, SavingOntoAReadOnlyFileReplacesItWholeAndLeavesNoTemporaryFile) {
  const std::string path = TempPath("mt_store_readonly.ini");
  { std::ofstream(path, std::ios::binary) << "[Main]\r\nOld=1\r\n"; }
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);

  TStoredTextList store(path, StoredTextFiles());
  store.OnSave = [](TStoredTextList& s, uint8_t) {
    s.Clear();
    WriteText(s, "Main", "New", "2");
  };
  ASSERT_TRUE(store.Load(0));
  ASSERT_TRUE(store.Save(false, 0));
  EXPECT_EQ(ReadAll(path).find("Old="), std::string::npos);
  EXPECT_NE(ReadAll(path).find("New=2"), std::string::npos);

  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path + ".tmp*").c_str(), &found);
  EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "a temporary file was left behind";
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  DeleteFileA(path.c_str());
}

TEST(StoredTextFilesTest, AFileLargerThanTheLimitIsRefusedUnread) {
  const std::string path = TempPath("mt_store_large.ini");
  const size_t limit = 1024 * 1024;
  { std::ofstream(path, std::ios::binary) << std::string(limit, 'a'); }
  std::string bytes;
  uint32_t code = 0;
  EXPECT_EQ(StoredTextFiles().ReadWholeFile(path, limit, bytes, code), TStoredTextFileAccess::TReadOutcome::Read);
  EXPECT_EQ(bytes.size(), limit);
  { std::ofstream(path, std::ios::binary | std::ios::app) << "b"; }
  EXPECT_EQ(StoredTextFiles().ReadWholeFile(path, limit, bytes, code), TStoredTextFileAccess::TReadOutcome::TooLarge);
  EXPECT_TRUE(bytes.empty());
  EXPECT_EQ(ReadAll(path).size(), limit + 1);
  DeleteFileA(path.c_str());
}

TEST(StoredTextFilesTest, AFailedReplaceKeepsTheOldFile) {
  const std::string path = TempPath("mt_store_locked.ini");
  { std::ofstream(path, std::ios::binary) << "[Main]\r\nKeep=1\r\n"; }
  // Another program holds the file open without sharing: the rename must fail.
  HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  uint32_t code = 0;
  EXPECT_FALSE(ReplaceFileAtomically(path, "[Main]\r\nKeep=0\r\n", code));
  EXPECT_NE(code, 0u);
  CloseHandle(lock);
  EXPECT_EQ(ReadAll(path), "[Main]\r\nKeep=1\r\n");
  uint32_t missingFolderCode = 0;
  EXPECT_FALSE(ReplaceFileAtomically(TempPath("mt_no_such_folder\\x.ini"), "x", missingFolderCode));
  DeleteFileA(path.c_str());
}

}  // namespace
