// Names in any script through every system call the program passes them to:
// the program speaks UTF-8 (its manifest's code page), and the calls that
// would read a legacy code page or cut a long name go wide.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/trace/FunStatus.h"
#include "platform/Clipboard.h"
#include "platform/DirectoryWalk.h"
#include "platform/DroppedFileList.h"
#include "platform/LegacyCodePage.h"
#include "platform/Registry.h"
#include "platform/ShellLink.h"
#include "tests/platform/ShellDrops.h"
#include "platform/StoredTextFiles.h"
#include "platform/UserLocale.h"
#include "platform/WinText.h"

namespace {

// "Фото 写真", "ФОТО", "Été", an emoji outside the Basic Multilingual Plane.
const std::string kCyrillicCjk = "\xD0\xA4\xD0\xBE\xD1\x82\xD0\xBE \xE5\x86\x99\xE7\x9C\x9F";
const std::string kCyrillicUpper = "\xD0\xA4\xD0\x9E\xD0\xA2\xD0\x9E \xE5\x86\x99\xE7\x9C\x9F";
const std::string kAccented = "\xC3\x89t\xC3\xA9 \xC3\xA0 N\xC3\xAEmes";
const std::string kEmoji = "\xF0\x9F\x93\xB7 camera";

std::wstring Wide(const std::string& utf8) {
  std::wstring wide(utf8.size(), L'\0');
  wide.resize(static_cast<size_t>(
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), static_cast<int>(wide.size()))));
  return wide;
}

class UnicodeNamesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = WideToAnsi(temp) + "mt_names_" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryW(Wide(folder_).c_str(), nullptr);
  }
  void TearDown() override {
    for (const std::string& file : files_) DeleteFileW(Wide(file).c_str());
    for (auto folder = folders_.rbegin(); folder != folders_.rend(); ++folder)
      RemoveDirectoryW(Wide(*folder).c_str());
    RemoveDirectoryW(Wide(folder_).c_str());
    CoUninitialize();
  }
  std::string MakeFolder(const std::string& name) {
    folders_.push_back(folder_ + name);
    EXPECT_TRUE(CreateDirectoryW(Wide(folders_.back()).c_str(), nullptr)) << name;
    return folders_.back();
  }
  std::string MakeFile(const std::string& path, const std::string& bytes = "x") {
    files_.push_back(path);
    const HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return path;
  }
  std::string folder_;
  std::vector<std::string> folders_, files_;
};

TEST_F(UnicodeNamesTest, TheProgramSpeaksUtf8AndReachesFilesNamedInAnyScript) {
  ASSERT_EQ(GetACP(), static_cast<UINT>(CP_UTF8)) << "the manifest asks for the UTF-8 code page";
  EXPECT_NE(LegacyAnsiCodePage(), static_cast<uint32_t>(CP_UTF8));
  for (const std::string& name : {kCyrillicCjk, kAccented, kEmoji}) {
    const std::string folder = MakeFolder(name);
    MakeFile(folder + "\\" + name + ".jpg");
    std::vector<std::string> found;
    LoadFilesList(folder, "*.jpg", found, false);
    EXPECT_EQ(found, std::vector<std::string>{folder + "\\" + name + ".jpg"});
    EXPECT_NE(GetFileAttributesA(found.empty() ? "" : found[0].c_str()), INVALID_FILE_ATTRIBUTES);
  }
}

TEST_F(UnicodeNamesTest, NamesCompareAndSortByUnicodeRules) {
  EXPECT_TRUE(SameNameIgnoringCase("C:\\" + kCyrillicCjk, "c:\\" + kCyrillicUpper));
  EXPECT_TRUE(SameNameIgnoringCase("\xCE\xB1\xCE\xB2", "\xCE\x91\xCE\x92"));  // Greek αβ, ΑΒ
  EXPECT_TRUE(SameNameIgnoringCase(kAccented, "\xC3\x89T\xC3\x89 \xC3\x80 N\xC3\x8EMES"));
  EXPECT_FALSE(SameNameIgnoringCase(kAccented, "Ete a Nimes"));
  EXPECT_FALSE(SameNameIgnoringCase(kCyrillicCjk, kCyrillicCjk + "x"));
  EXPECT_TRUE(SameNameIgnoringCase(kEmoji, "\xF0\x9F\x93\xB7 CAMERA"));

  EXPECT_EQ(CompareTextUserLocale(kCyrillicCjk, kCyrillicUpper), 0);
  EXPECT_LT(CompareTextUserLocale("\xD0\xB0", "\xD0\x91"), 0);  // а before Б, case aside
  std::string lowerKey, upperKey, laterKey;
  ASSERT_TRUE(SortKeyUserLocale(kCyrillicCjk, lowerKey));
  ASSERT_TRUE(SortKeyUserLocale(kCyrillicUpper, upperKey));
  ASSERT_TRUE(SortKeyUserLocale("\xD0\x91", laterKey));
  EXPECT_EQ(lowerKey, upperKey);
  std::string firstKey;
  ASSERT_TRUE(SortKeyUserLocale("\xD0\xB0", firstKey));
  EXPECT_LT(firstKey, laterKey);
  EXPECT_EQ(LowerCaseUserLocale("\xD0\xA4\xD0\x9E\xD0\xA2\xD0\x9E.JPG"), "\xD1\x84\xD0\xBE\xD1\x82\xD0\xBE.jpg");
}

TEST_F(UnicodeNamesTest, TheRegistryValueIsStoredAsUtf16) {
  const std::string value = "C:\\" + kCyrillicCjk + "\\" + kEmoji + ".jpg";
  ASSERT_TRUE(SetProgramRegistryText("MuralotropeNamesTest", "", "Value", value));
  EXPECT_EQ(GetProgramRegistryText("MuralotropeNamesTest", "", "Value"), value);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\MuralotropeNamesTest", 0, KEY_QUERY_VALUE, &key),
            ERROR_SUCCESS);
  wchar_t stored[128] = {};
  DWORD size = sizeof stored;
  DWORD type = 0;
  EXPECT_EQ(RegQueryValueExW(key, L"Value", nullptr, &type, reinterpret_cast<BYTE*>(stored), &size), ERROR_SUCCESS);
  RegCloseKey(key);
  RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\MuralotropeNamesTest");
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(std::wstring(stored), Wide(value));
}

TEST_F(UnicodeNamesTest, TheClipboardHoldsUnicodeAndLegacyText) {
  const HWND owner = CreateWindowA("STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  const std::string text = "C:\\" + kAccented + "\\" + kCyrillicCjk + ".jpg";
  ASSERT_TRUE(CopyTextToClipboard(text, "", false, false, owner));
  EXPECT_EQ(ClipboardText(owner), text);
  ASSERT_TRUE(CopyTextToClipboard(kEmoji, "", false, true, owner));
  EXPECT_EQ(ClipboardText(owner), text + kEmoji);
  ASSERT_TRUE(OpenClipboard(owner));
  const HANDLE unicode = GetClipboardData(CF_UNICODETEXT);
  const HANDLE ansi = GetClipboardData(CF_TEXT);
  const std::wstring unicodeText = unicode ? static_cast<const wchar_t*>(GlobalLock(unicode)) : L"";
  const std::string ansiText = ansi ? static_cast<const char*>(GlobalLock(ansi)) : "";
  if (unicode) GlobalUnlock(unicode);
  if (ansi) GlobalUnlock(ansi);
  CloseClipboard();
  DestroyWindow(owner);
  EXPECT_EQ(unicodeText, Wide(text + kEmoji));
  // The ANSI text in the legacy code page: "Été" holds there, the rest becomes '?'.
  if (LegacyAnsiCodePage() == 1252) {
    EXPECT_EQ(ansiText.substr(0, 7), "C:\\\xC9t\xE9 ");
  }
  EXPECT_EQ(ansiText.find("\xD0"), std::string::npos) << "no UTF-8 bytes in the ANSI format";
}

TEST_F(UnicodeNamesTest, StoredTextFilesAreReadAsUtf8WhateverTheyWereWrittenIn) {
  const std::string folder = MakeFolder(kCyrillicCjk);
  struct TCase {
    const char* name;
    std::string bytes, read;
  } cases[] = {
      {"utf8.ini", "Title0=C:\\" + kEmoji + "\r\n", "Title0=C:\\" + kEmoji + "\r\n"},
      {"bom.ini", "\xEF\xBB\xBFTitle0=" + kAccented, "Title0=" + kAccented},
      {"legacy.ini", "Title0=Fotos de Espa\xF1" "a", "Title0=Fotos de Espa\xC3\xB1" "a"},
  };
  for (const TCase& test : cases) {
    if (std::string(test.name) == "legacy.ini" && LegacyAnsiCodePage() != 1252) continue;
    const std::string path = MakeFile(folder + "\\" + test.name, test.bytes);
    std::string bytes;
    uint32_t code = 0;
    EXPECT_EQ(StoredTextFiles().ReadWholeFile(path, 1024, bytes, code), TStoredTextFileAccess::TReadOutcome::Read);
    EXPECT_EQ(bytes, test.read) << test.name;
  }
  // A save writes UTF-8 under a name in any script.
  const std::string saved = folder + "\\" + kEmoji + ".ini";
  files_.push_back(saved);
  uint32_t code = 0;
  ASSERT_TRUE(ReplaceFileAtomically(saved, "Title0=" + kCyrillicCjk, code));
  std::string bytes;
  EXPECT_EQ(StoredTextFiles().ReadWholeFile(saved, 1024, bytes, code), TStoredTextFileAccess::TReadOutcome::Read);
  EXPECT_EQ(bytes, "Title0=" + kCyrillicCjk);
}

TEST_F(UnicodeNamesTest, ShellLinksKeepNamesInAnyScript) {
  const std::string folder = MakeFolder(kCyrillicCjk);
  const std::string target = MakeFile(folder + "\\" + kEmoji + ".exe");
  const std::string link = folder + "\\" + kAccented + ".lnk";
  files_.push_back(link);
  TLinkFile made;
  made.ReferencePath = target;
  made.WorkingPath = folder;
  made.Description = kCyrillicUpper;
  ASSERT_TRUE(made.Save(link, true));
  TLinkFile loaded;
  ASSERT_TRUE(loaded.Load(link, false));
  EXPECT_EQ(loaded.ReferencePath, target);
  EXPECT_EQ(loaded.WorkingPath, folder);
  EXPECT_EQ(loaded.Description, kCyrillicUpper);
}

TEST_F(UnicodeNamesTest, DroppedNamesLongerThanMaxPathBytesArriveWhole) {
  // 200 Cyrillic letters: within MAX_PATH characters, but 400 bytes of UTF-8.
  std::string longName;
  for (int n = 0; n < 200; ++n) longName += "\xD0\xA4";
  const std::vector<std::string> paths = {"C:\\" + kEmoji + "\\" + kCyrillicCjk, "D:\\" + longName};
  const HDROP drop = MakeWideDrop(paths);
  std::vector<std::string> dropped;
  DroppedFilesToList(drop, dropped);
  EXPECT_EQ(dropped, paths);
}

}  // namespace
