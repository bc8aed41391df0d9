// Saving and installing the wallpaper, the program's registry value and the broadcast.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

#include "core/trace/FunStatus.h"
#include "core/composition/WallpaperBroadcast.h"
#include "core/composition/WallpaperFiles.h"
#include "platform/Registry.h"
#include "platform/ScreenBitmap.h"
#include "platform/WallpaperBroadcastSend.h"
#include "platform/WallpaperInstall.h"
#include "tests/platform/CompositionTestPictures.h"
#include "tests/shared/TooLongTemporaryFolder.h"

namespace {

class CompositionInstallTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { session_ = new TGdiPlusSession(); }
  static void TearDownTestSuite() { delete session_; }
  static TGdiPlusSession* session_;
};
TGdiPlusSession* CompositionInstallTest::session_ = nullptr;

struct TBmpHeader {
  int Width = 0;
  int Height = 0;
  int BitCount = 0;
};

TBmpHeader ReadBmpHeader(const std::string& path) {
  const std::string bytes = ReadWholeFile(path);
  TBmpHeader header;
  if (bytes.size() < 54 || bytes.compare(0, 2, "BM") != 0) return header;
  int32_t width = 0, height = 0;
  uint16_t bitCount = 0;
  std::memcpy(&width, bytes.data() + 18, 4);
  std::memcpy(&height, bytes.data() + 22, 4);
  std::memcpy(&bitCount, bytes.data() + 28, 2);
  header.Width = width;
  header.Height = height < 0 ? -height : height;
  header.BitCount = bitCount;
  return header;
}

TEST_F(CompositionInstallTest, TheTemporaryDirectoryEndsWithABackslashAndHasNoShortNames) {
  const std::string directory = GetTempDirectory();
  ASSERT_FALSE(directory.empty());
  EXPECT_EQ(directory.back(), '\\');
  EXPECT_EQ(directory.find('~'), std::string::npos);
  EXPECT_NE(GetFileAttributesA(directory.c_str()), INVALID_FILE_ATTRIBUTES);

  // A temporary directory the system cannot give: a bare wallpaper name fails
  // with that reason instead of being taken from the current directory.
  char installed[MAX_PATH] = {};
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, installed, 0));
  TTooLongTemporaryFolder tooLong;
  EXPECT_EQ(GetTempDirectory(), "");
  EXPECT_EQ(FunStatContext.Description, "Failed to get path.");
  EXPECT_FALSE(SetFileAsWallpaper(kWallpaperFileName));
  EXPECT_EQ(FunStatContext.Description, "Failed to get path.");
  tooLong.Restore();
  FunStatContext.Reset(Perfect);
  char after[MAX_PATH] = {};
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, after, 0));
  EXPECT_STREQ(after, installed);
}

TEST_F(CompositionInstallTest, SavedBmpHasTheBitmapsSizeAndReplacesTheOldFile) {
  const std::string path = WallpaperFilePath(GetTempDirectory());
  WriteWholeFile(path, "an older wallpaper");
  std::unique_ptr<TScreenBitmap> bitmap = TScreenBitmap::Create(1280, 1024);
  ASSERT_NE(bitmap, nullptr);
  bitmap->Fill(0x3366CC);
  // One marked pixel at the top left shows that the rows are stored in the order declared.
  bitmap->Pixels()[0] = 0x11, bitmap->Pixels()[1] = 0x22, bitmap->Pixels()[2] = 0x33;
  ASSERT_TRUE(SaveBitmapAsBmpFile(*bitmap, path));
  const TBmpHeader header = ReadBmpHeader(path);
  EXPECT_EQ(header.Width, 1280);
  EXPECT_EQ(header.Height, 1024);
  EXPECT_GE(header.BitCount, 24);
  const std::string bytes = ReadWholeFile(path);
  ASSERT_EQ(bytes.size(), 54u + 1280 * 1024 * 4);
  int32_t declaredHeight = 0;
  std::memcpy(&declaredHeight, bytes.data() + 22, 4);
  const size_t topRow = declaredHeight < 0 ? 54 : 54 + 1023 * 1280 * 4;
  EXPECT_EQ(bytes.substr(topRow, 3), std::string("\x11\x22\x33"));
  EXPECT_EQ(bytes.substr(topRow + 4, 3), std::string("\x33\x66\xCC"));
  // Nothing is left under the temporary name.
  EXPECT_EQ(GetFileAttributesA((path + ".part").c_str()), INVALID_FILE_ATTRIBUTES);

  // A reader holding the old file, as the desktop does while it paints it: the
  // save waits until it lets go, half a second after the new file is written.
  const std::string partPath = path + ".part";
  const auto openReader = [&] {
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, 0, nullptr);
  };
  HANDLE reader = openReader();
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  std::thread lettingGo([&] {
    const ULONGLONG deadline = GetTickCount64() + 20000;
    // The save names the old file a second time just before it moves the new one over.
    BY_HANDLE_FILE_INFORMATION information = {};
    while ((!GetFileInformationByHandle(reader, &information) || information.nNumberOfLinks < 2) &&
           GetTickCount64() < deadline)
      Sleep(5);  // polling interval
    Sleep(500);  // how long the reader holds on; nothing is decided by this wait
    CloseHandle(reader);
  });
  std::unique_ptr<TScreenBitmap> small = TScreenBitmap::Create(64, 32);
  ASSERT_NE(small, nullptr);
  const bool saved = SaveBitmapAsBmpFile(*small, path);
  lettingGo.join();
  EXPECT_TRUE(saved);
  EXPECT_EQ(ReadBmpHeader(path).Width, 64);

  // A reader that never lets go: the save fails and leaves the old file whole.
  reader = openReader();
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(SaveBitmapAsBmpFile(*bitmap, path));
  CloseHandle(reader);
  EXPECT_EQ(FunStatContext.Description, "Failed to save wallpaper file.");
  FunStatContext.Reset(Perfect);
  EXPECT_EQ(ReadBmpHeader(path).Width, 64);
  EXPECT_EQ(GetFileAttributesA(partPath.c_str()), INVALID_FILE_ATTRIBUTES);
}

// The bytes of a whole saved file of a width x height picture filled with one colour.
bool HoldsFilledPicture(const std::string& bytes, int width, int height, const std::string& bgr) {
  if (bytes.size() != 54u + static_cast<size_t>(width) * height * 4) return false;
  for (size_t offset = 54; offset < bytes.size(); offset += static_cast<size_t>(width) * 4 * 7)
    if (bytes.compare(offset, 3, bgr) != 0) return false;
  return bytes.compare(bytes.size() - 4, 3, bgr) == 0;
}

uint64_t FileIdentity(const std::string& path) {
  const HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  BY_HANDLE_FILE_INFORMATION information = {};
  const bool read = file != INVALID_HANDLE_VALUE && GetFileInformationByHandle(file, &information);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  return read ? (uint64_t{information.nFileIndexHigh} << 32 | information.nFileIndexLow) : 0;
}

// A save writes over the file of the wallpaper before last, so that replacing the
// wallpaper frees nothing. What it must never do is write into a file somebody reads.
TEST_F(CompositionInstallTest, SavesNeverWriteIntoTheInstalledFileOrOneBeingRead) {
  const std::string path = WallpaperFilePath(GetTempDirectory());
  const std::string spare = path + ".previous";
  auto save = [&](int width, int height, uint32_t color) {
    std::unique_ptr<TScreenBitmap> bitmap = TScreenBitmap::Create(width, height);
    if (!bitmap) return false;
    bitmap->Fill(color);
    return SaveBitmapAsBmpFile(*bitmap, path);
  };
  ASSERT_TRUE(save(320, 200, 0x0000AA));
  ASSERT_TRUE(save(320, 200, 0x0000BB));
  // A scanner reading the spare, as virus scanners read new files in the temporary folder.
  const HANDLE scanner = CreateFileA(spare.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(scanner, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(save(320, 200, 0x0000CC));
  EXPECT_TRUE(HoldsFilledPicture(ReadWholeFile(path), 320, 200, std::string("\0\0\xCC", 3)));
  std::string seen(54 + 320 * 200 * 4 + 1, '\0');
  DWORD read = 0;
  ASSERT_TRUE(ReadFile(scanner, &seen[0], static_cast<DWORD>(seen.size()), &read, nullptr));
  CloseHandle(scanner);
  seen.resize(read);
  EXPECT_TRUE(HoldsFilledPicture(seen, 320, 200, std::string("\0\0\xAA", 3)));
  // A smaller picture written over a larger one leaves no tail of the old file.
  ASSERT_TRUE(save(64, 32, 0x0000DD));
  EXPECT_TRUE(HoldsFilledPicture(ReadWholeFile(path), 64, 32, std::string("\0\0\xDD", 3)));

  // A save cut off after naming the installed file as the spare: the next save still
  // replaces the wallpaper by a new file instead of writing into the installed one.
  DeleteFileA(spare.c_str());
  ASSERT_TRUE(CreateHardLinkA(spare.c_str(), path.c_str(), nullptr));
  const uint64_t installed = FileIdentity(path);
  ASSERT_TRUE(save(320, 200, 0x0000EE));
  EXPECT_NE(FileIdentity(path), installed);
  EXPECT_TRUE(HoldsFilledPicture(ReadWholeFile(path), 320, 200, std::string("\0\0\xEE", 3)));
  EXPECT_TRUE(HoldsFilledPicture(ReadWholeFile(spare), 64, 32, std::string("\0\0\xDD", 3)));
  EXPECT_FALSE(FunStatContext.Failed());
}

TEST_F(CompositionInstallTest, InstallingABareNameUsesTheTemporaryDirectory) {
  const std::string path = WallpaperFilePath(GetTempDirectory());
  std::unique_ptr<TScreenBitmap> bitmap = TScreenBitmap::Create(64, 32);
  ASSERT_NE(bitmap, nullptr);
  bitmap->Fill(0x102030);
  ASSERT_TRUE(SaveBitmapAsBmpFile(*bitmap, path));
  ASSERT_TRUE(SetFileAsWallpaper(kWallpaperFileName));
  EXPECT_FALSE(FunStatContext.Failed());
  const std::string installed = GetRegistryText(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper");
  EXPECT_EQ(_stricmp(installed.c_str(), path.c_str()), 0) << installed;
  char current[MAX_PATH] = {};
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, current, 0));
  EXPECT_EQ(_stricmp(current, path.c_str()), 0) << current;
}

TEST_F(CompositionInstallTest, ProgramRegistryTextRoundTripsAndReadsEmptyWhenMissing) {
  const std::string program = "MuralotropeTest";
  EXPECT_EQ(ProgramRegistryKey(program, ""), "Software\\MuralotropeTest");
  EXPECT_EQ(ProgramRegistryKey(program, "Sub"), "Software\\MuralotropeTest\\Sub");
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\MuralotropeTest");
  EXPECT_EQ(GetProgramRegistryText(program, "", "Value"), "");
  ASSERT_TRUE(SetProgramRegistryText(program, "", "Value", "C:\\Pictures\\a b.jpg"));
  EXPECT_EQ(GetProgramRegistryText(program, "", "Value"), "C:\\Pictures\\a b.jpg");
  ASSERT_TRUE(SetProgramRegistryText(program, "", "Value", ""));
  EXPECT_EQ(GetProgramRegistryText(program, "", "Value"), "");
  EXPECT_EQ(GetProgramRegistryText(program, "", "Other"), "");
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\MuralotropeTest");
}

std::string BroadcastValue() {
  return GetProgramRegistryText(kBroadcastRegistryProgram, kBroadcastRegistrySubKey, kBroadcastRegistryValueName);
}

TEST_F(CompositionInstallTest, BroadcastWritesThePathBeforeThePostIsMade) {
  SetProgramRegistryText(kBroadcastRegistryProgram, kBroadcastRegistrySubKey, kBroadcastRegistryValueName, "stale");
  std::string valueAtPost;
  UINT postedMessage = 0;
  PublishWallpaperChange("C:\\Pictures\\next.jpg", 0xC123, [&](UINT message) {
    postedMessage = message;
    valueAtPost = BroadcastValue();
  });
  EXPECT_EQ(postedMessage, 0xC123u);
  EXPECT_EQ(valueAtPost, "C:\\Pictures\\next.jpg");
}

// A top-level window of this process that notes the broadcast and the value it finds.
struct TBroadcastReceiver {
  static UINT Message;
  static int Received;
  static std::string ValueSeen;
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == Message && Message != 0) {
      ++Received;
      ValueSeen = BroadcastValue();
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }
};
UINT TBroadcastReceiver::Message = 0;
int TBroadcastReceiver::Received = 0;
std::string TBroadcastReceiver::ValueSeen;

TEST_F(CompositionInstallTest, OtherWindowsReceiveTheRegisteredMessageAndFindTheValue) {
  const UINT message = RegisterWallpaperChangeMessage();
  ASSERT_NE(message, 0u);
  EXPECT_EQ(message, RegisterWindowMessageA("Muralotrope - Broadcast Wallpaper Change"));
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = TBroadcastReceiver::Procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "MuralotropeBroadcastReceiver";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowA(windowClass.lpszClassName, "receiver", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                              nullptr, windowClass.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  TBroadcastReceiver::Message = message;
  TBroadcastReceiver::Received = 0;

  PublishWallpaperChange("C:\\Pictures\\broadcast.png", message);
  const DWORD deadline = GetTickCount() + 5000;
  while (TBroadcastReceiver::Received == 0 && GetTickCount() < deadline) {
    MSG msg;
    if (MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT) == WAIT_OBJECT_0)
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  EXPECT_EQ(TBroadcastReceiver::Received, 1);
  EXPECT_EQ(TBroadcastReceiver::ValueSeen, "C:\\Pictures\\broadcast.png");
  DestroyWindow(window);
  SetProgramRegistryText(kBroadcastRegistryProgram, kBroadcastRegistrySubKey, kBroadcastRegistryValueName, "");
}

}  // namespace
