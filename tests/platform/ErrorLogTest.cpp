#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "app/ErrorForm.h"

namespace {

std::string TempPath(const char* name) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + name;
}

long long FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

TEST(ErrorLogTest, TruncatesOnlyAboveTenThousandBytes) {
  const std::string path = TempPath("muralotrope_errors_test.log");
  const std::string entry = "DESCRIPTION\r\nx";
  const long long entrySize = 10 + static_cast<long long>(entry.size()) + 14;
  for (long long start : {10000LL, 10001LL}) {
    { std::ofstream(path, std::ios::binary) << std::string(static_cast<size_t>(start), 'a'); }
    ASSERT_TRUE(AppendToLogFile(path, entry, TErrorForm::kLogTruncateAbove));
    const long long expected = start == 10000 ? start + entrySize : entrySize;
    EXPECT_EQ(FileSize(path), expected) << "starting from " << start << " bytes";
  }
  std::ifstream in(path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "**********DESCRIPTION\r\nx\r\n**********\r\n");
  DeleteFileA(path.c_str());
}

}  // namespace
