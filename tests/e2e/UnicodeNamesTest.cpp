// Folders and pictures named in Cyrillic, CJK, accented Latin and an emoji
// outside the Basic Multilingual Plane: found, shown, composed, clipped,
// broadcast, kept as favourites and in the options file across a restart;
// options files of an earlier version and damaged ones.
//
// This driver speaks the legacy code page, so every name in another script
// goes through the wide calls here.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProgramHarness.h"
#include "core/text/Utf8Text.h"
#include "resources/resource.h"

namespace {

constexpr DWORD kWaitMs = 60000;
constexpr uint32_t kRed = 0xC81E1E, kGreen = 0x1EC81E, kBlue = 0x1E1EC8, kYellow = 0xC8C81E;

const std::string kPhoto = "\xD0\xA4\xD0\xBE\xD1\x82\xD0\xBE";         // "Фото"
const std::string kPhotoUpper = "\xD0\xA4\xD0\x9E\xD0\xA2\xD0\x9E";    // "ФОТО"
const std::string kShashin = "\xE5\x86\x99\xE7\x9C\x9F";               // "写真"
const std::string kSummer = "\xC3\x89t\xC3\xA9 \xC3\xA0 N\xC3\xAEmes";  // "Été à Nîmes"
const std::string kCamera = "\xF0\x9F\x93\xB7";                        // U+1F4F7

std::wstring Wide(const std::string& utf8) {
  std::wstring wide(utf8.size(), L'\0');
  wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                                      wide.data(), static_cast<int>(wide.size()))));
  return wide;
}

std::wstring WideTextOf(HWND control) {
  wchar_t text[1024] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 60000, &copied);
  return text;
}

std::wstring WideClipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return text;
  if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* locked = static_cast<const wchar_t*>(GlobalLock(data))) text = locked;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

std::wstring BroadcastRegistryValue() {
  wchar_t value[1024] = {};
  DWORD size = sizeof value;
  RegGetValueW(HKEY_CURRENT_USER, L"Software\\Muralotrope", L"BroadcastWallpaperChange", RRF_RT_REG_SZ, nullptr,
               value, &size);
  return value;
}

class UnicodeNamesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    pictures_ = program_.PathInFolder("Pictures") + "\\";
    CreateDirectoryA(pictures_.c_str(), nullptr);
  }
  // The harness removes the run's folder through the narrow calls, which
  // cannot name these entries: they go first.
  void TearDown() override {
    if (program_.IsRunning()) program_.Kill();
    for (const std::string& file : files_) DeleteFileW(Wide(file).c_str());
    for (auto folder = folders_.rbegin(); folder != folders_.rend(); ++folder) RemoveDirectoryW(Wide(*folder).c_str());
  }
  // <Pictures>\<name>\<name>.bmp in one colour; the picture's path.
  std::string WritePicture(const std::string& name, uint32_t color) {
    const std::string folder = pictures_ + name;
    folders_.push_back(folder);
    EXPECT_TRUE(CreateDirectoryW(Wide(folder).c_str(), nullptr)) << folder;
    const std::string drafted = program_.PathInFolder("drafted.bmp");
    WriteUniformBmp(drafted, 40, 30, color);
    const std::string picture = folder + "\\" + name + ".bmp";
    EXPECT_TRUE(MoveFileW(Wide(drafted).c_str(), Wide(picture).c_str())) << picture;
    files_.push_back(picture);
    return picture;
  }
  void StartAndWaitForCount(int count) {
    ASSERT_TRUE(program_.Start("ShowOnStart"));
    window_ = program_.WaitForMainWindow(kWaitMs);
    ASSERT_NE(window_, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return CountLabel() == LoadedPicturesCountText(count); }, kWaitMs)) << CountLabel();
  }
  // Start-up is over once a posted "Clip picture file title" has copied the current picture.
  bool WaitForStartupEnd(const std::string& currentPicture) {
    EmptyTheClipboard();
    return WaitUntil(
        [&] {
          ClickLink(window_, IDC_CLIP_PICTURE_TITLE_LABEL);
          return WaitUntil([&] { return WideClipboardText() == Wide(currentPicture); }, 500);
        },
        kWaitMs);
  }
  void Close() {
    ASSERT_TRUE(ClickLink(window_, IDC_CLOSE_PROGRAM_LABEL));
    ASSERT_EQ(program_.WaitForExit(kWaitMs), 0);
  }
  std::string CountLabel() const { return ControlText(window_, IDC_LOADED_PICTURES_COUNT_LABEL); }
  bool PictureLabelShows(const std::string& name) const {
    return WideTextOf(TProgramUnderTest::FindControl(window_, IDC_LAST_PICTURE_LABEL)).find(Wide('"' + name + '"')) !=
           std::wstring::npos;
  }
  std::string Options() const { return program_.ReadFile("Muralotrope.ini"); }

  TProgramUnderTest program_;
  std::string pictures_;
  std::vector<std::string> folders_, files_;
  HWND window_ = nullptr;
};

TEST_F(UnicodeNamesTest, NamesInAnyScriptAreFoundShownComposedKeptAndSurviveARestart) {
  const std::string photo = WritePicture(kPhoto, kRed);
  const std::string shashin = WritePicture(kShashin, kGreen);
  const std::string summer = WritePicture(kSummer, kBlue);
  const std::string camera = WritePicture(kCamera, kYellow);
  // "ФОТО" is the folder "Фото" again, and the second favourite the first one:
  // the file system sees one name in any letter case.
  const std::string rows[] = {pictures_ + kPhoto, pictures_ + kShashin, pictures_ + kSummer, pictures_ + kCamera,
                              pictures_ + kPhotoUpper};
  std::string directoryList = "[DirectoryList]\r\nCount=5\r\n";
  for (int n = 0; n < 5; ++n)
    directoryList += "Title" + std::to_string(n) + "=" + rows[n] + "\r\nActive" + std::to_string(n) + "=TRUE\r\n";
  const std::string photoUpper = pictures_ + kPhotoUpper + "\\" + kPhotoUpper + ".BMP";
  program_.WriteFile("Muralotrope.ini", QuietSections(camera) + directoryList + "[FavoritePictures]\r\nCount=2\r\nTitle0=" +
                                            photo + "\r\nTitle1=" + photoUpper + "\r\n");

  TWallpaperInstallCounter installs;
  ASSERT_NO_FATAL_FAILURE(StartAndWaitForCount(4));
  ASSERT_TRUE(WaitForStartupEnd(camera)) << "the clipboard holds the current picture in Unicode";
  EXPECT_TRUE(PictureLabelShows(kCamera + ".bmp"));

  // The next picture wraps round to the first folder's and becomes the wallpaper.
  const int before = installs.Count();
  ASSERT_TRUE(ClickLink(window_, IDC_NEXT_WALLPAPER_LABEL));
  ASSERT_TRUE(WaitUntil([&] { return installs.Count() > before; }, kWaitMs));
  ASSERT_TRUE(WaitUntil([&] { return PictureLabelShows(kPhoto + ".bmp"); }, kWaitMs));
  EXPECT_EQ(WallpaperCentre(), kRed);

  // Adding the current picture as a favourite finds it already there in capitals.
  ASSERT_TRUE(SendLinkClick(window_, IDC_ADD_FAVORITE_LABEL));
  // The broadcast value names one of the pictures, in UTF-16 for every reader.
  ASSERT_TRUE(SendLinkClick(window_, IDC_BROADCAST_NOW_LABEL));
  const std::wstring broadcast = BroadcastRegistryValue();
  bool broadcastIsAPicture = false;
  for (const std::string& picture : {photo, shashin, summer, camera}) broadcastIsAPicture |= broadcast == Wide(picture);
  EXPECT_TRUE(broadcastIsAPicture);
  ASSERT_NO_FATAL_FAILURE(Close());

  const auto expectNamesSaved = [&] {
    const std::string saved = Options();
    EXPECT_TRUE(IsValidUtf8(saved));
    EXPECT_NE(saved.find("[DirectoryList]\r\nCount=4\r\n"), std::string::npos) << saved;
    for (int n = 0; n < 4; ++n) EXPECT_NE(saved.find("=" + rows[n] + "\r\n"), std::string::npos) << rows[n];
    // The favourite added is the one in capitals: it takes its place.
    EXPECT_NE(saved.find("[FavoritePictures]\r\nCount=1\r\nTitle0=" + photo + "\r\n"), std::string::npos)
        << saved;
    EXPECT_NE(saved.find("LastFileTitle=" + photo + "\r\n"), std::string::npos);
  };
  expectNamesSaved();

  // Started again, the names come back from the file.
  ASSERT_NO_FATAL_FAILURE(StartAndWaitForCount(4));
  ASSERT_TRUE(WaitForStartupEnd(photo));
  EXPECT_TRUE(PictureLabelShows(kPhoto + ".bmp"));
  ASSERT_NO_FATAL_FAILURE(Close());
  expectNamesSaved();
}

TEST_F(UnicodeNamesTest, AnOptionsFileInTheLegacyCodePageLoadsAndIsRewrittenInUtf8) {
  const std::string spain = "Fotos de Espa\xC3\xB1" "a";
  const std::string picture = WritePicture(spain, kBlue);
  const std::string legacyFolder = pictures_ + "Fotos de Espa\xF1" "a";
  program_.WriteFile("Muralotrope.ini",
                     OptionsFileText(QuietSections(legacyFolder + "\\Fotos de Espa\xF1" "a.bmp"), legacyFolder));
  ASSERT_NO_FATAL_FAILURE(StartAndWaitForCount(1));
  ASSERT_TRUE(WaitForStartupEnd(picture));
  EXPECT_TRUE(PictureLabelShows(spain + ".bmp"));
  ASSERT_NO_FATAL_FAILURE(Close());
  const std::string saved = Options();
  EXPECT_TRUE(IsValidUtf8(saved));
  EXPECT_NE(saved.find("Title0=" + pictures_ + spain + "\r\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("LastFileTitle=" + picture + "\r\n"), std::string::npos) << saved;
}

TEST_F(UnicodeNamesTest, BrokenUtf8AndAMegabyteOfJunkNamesLoseNoGoodName) {
  const std::string picture = WritePicture(kCamera, kYellow);
  // A hand-edited row with bytes that are no UTF-8, and junk names up to just
  // under the size the program reads.
  std::string text = QuietSections(picture) + "[DirectoryList]\r\nCount=2\r\nTitle0=" + pictures_ + kCamera +
                     "\r\nActive0=TRUE\r\nTitle1=C:\\Bad\xFF\xFE\r\nActive1=TRUE\r\n[Junk]\r\n";
  for (int n = 0; text.size() < 1000 * 1000; ++n) {
    text += "Name" + std::to_string(n) + "=";
    for (int k = 0; k < 20; ++k) {  // letters from U+0400 to U+93FF
      const unsigned code = 0x400 + (n * 31 + k * 17) % 0x9000;
      if (code < 0x800)
        text += {static_cast<char>(0xC0 | (code >> 6)), static_cast<char>(0x80 | (code & 0x3F))};
      else
        text += {static_cast<char>(0xE0 | (code >> 12)), static_cast<char>(0x80 | ((code >> 6) & 0x3F)),
                 static_cast<char>(0x80 | (code & 0x3F))};
    }
    text += "\r\n";
  }
  program_.WriteFile("Muralotrope.ini", text);
  ASSERT_NO_FATAL_FAILURE(StartAndWaitForCount(1));
  ASSERT_TRUE(WaitForStartupEnd(picture));
  ASSERT_NO_FATAL_FAILURE(Close());
  const std::string saved = Options();
  EXPECT_TRUE(IsValidUtf8(saved));
  EXPECT_NE(saved.find("Title0=" + pictures_ + kCamera + "\r\n"), std::string::npos);
  EXPECT_NE(saved.find("Title1=C:\\Bad\xC3\xBF\xC3\xBE\r\n"), std::string::npos) << "read in the legacy code page";
}

}  // namespace
