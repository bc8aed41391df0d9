// The directory walk, the decoders' picture types and the picture list built
// from real folders.
#include <windows.h>
#include <gdiplus.h>
#include <winioctl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/FunStatus.h"
#include "core/PictureExtensions.h"
#include "core/PictureList.h"
#include "platform/DirectoryWalk.h"
#include "platform/PictureDecoders.h"
#include "platform/UserLocale.h"
#include "tests/platform/CatalogueFolderTree.h"

namespace {

class TGdiplusSession {
 public:
  TGdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token_, &input, nullptr);
  }
  ~TGdiplusSession() { Gdiplus::GdiplusShutdown(token_); }

 private:
  ULONG_PTR token_ = 0;
};

std::vector<std::string> Walk(const std::string& directory, const std::string& filter, bool recursive) {
  std::vector<std::string> files;
  LoadFilesList(directory, filter, files, recursive);
  return files;
}

std::vector<std::string> Sorted(std::vector<std::string> files) {
  SortUniqueTexts(files, CompareTextUserLocale);
  return files;
}

// A directory link: a symbolic link, or else a mount point (junction) set by hand.
bool CreateDirectoryLink(const std::string& link, const std::string& target) {
  if (CreateSymbolicLinkA(link.c_str(), target.c_str(),
                          SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE))
    return true;
  if (!CreateDirectoryA(link.c_str(), nullptr)) return false;
  HANDLE handle = CreateFileA(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  const std::wstring substitute = L"\\??\\" + std::wstring(target.begin(), target.end());
  std::vector<BYTE> buffer(8 + 8 + (substitute.size() + 2) * sizeof(wchar_t));
  auto* header = reinterpret_cast<DWORD*>(buffer.data());
  header[0] = IO_REPARSE_TAG_MOUNT_POINT;
  auto* words = reinterpret_cast<WORD*>(buffer.data());
  words[2] = static_cast<WORD>(buffer.size() - 8);                    // data length
  words[4] = 0;                                                       // substitute offset
  words[5] = static_cast<WORD>(substitute.size() * sizeof(wchar_t));  // substitute length
  words[6] = static_cast<WORD>(words[5] + sizeof(wchar_t));           // print name offset
  words[7] = 0;                                                       // print name length
  std::copy(substitute.begin(), substitute.end(), reinterpret_cast<wchar_t*>(buffer.data() + 16));
  DWORD returned = 0;
  const BOOL set = DeviceIoControl(handle, FSCTL_SET_REPARSE_POINT, buffer.data(), static_cast<DWORD>(buffer.size()),
                                   nullptr, 0, &returned, nullptr);
  CloseHandle(handle);
  if (!set) RemoveDirectoryA(link.c_str());
  return set != FALSE;
}

bool IsReparsePoint(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

}  // namespace

TEST(CatalogueWalkTest, DecodersGiveSortedExtensionsAndLowerCaseFilter) {
  TGdiplusSession gdiplus;
  std::vector<std::string> extensions;
  GetPictureExtensions(extensions);
  const std::string filter = GetPictureExtensionsAsFilter();
  ASSERT_FALSE(extensions.empty());
  EXPECT_TRUE(std::is_sorted(extensions.begin(), extensions.end(), [](const std::string& a, const std::string& b) {
    return CompareTextUserLocale(a, b) < 0;
  }));
  for (const std::string& extension : extensions) EXPECT_EQ(extension[0], '.') << extension;
  EXPECT_NE(filter.find("*.jpg"), std::string::npos) << filter;
  EXPECT_EQ(filter, LowerCaseUserLocale(filter));
  EXPECT_TRUE(IsPictureFile("C:\\p\\photo.JPG", extensions, CompareTextUserLocale));
  EXPECT_TRUE(IsPictureFile("C:\\p\\photo.png", extensions, CompareTextUserLocale));
  EXPECT_FALSE(IsPictureFile("C:\\p\\notes.txt", extensions, CompareTextUserLocale));
  EXPECT_FALSE(IsPictureFile("C:\\p.jpg\\noextension", extensions, CompareTextUserLocale));
}

TEST(CatalogueWalkTest, WalkSkipsHiddenSystemAndNonPictureFiles) {
  TGdiplusSession gdiplus;
  const std::string filter = GetPictureExtensionsAsFilter();
  TCatalogueFolderTree tree("muralotrope_walk");
  tree.File("a.jpg");
  tree.File("B.JPG");
  tree.File("c.Png");
  tree.File("notes.txt");
  tree.File("noextension");
  tree.File("hidden.jpg", FILE_ATTRIBUTE_HIDDEN);
  tree.File("system.png", FILE_ATTRIBUTE_SYSTEM);
  tree.File("readonly.gif", FILE_ATTRIBUTE_READONLY);
  tree.Directory("sub");
  tree.File("sub\\d.bmp");
  tree.Directory("sub\\deeper");
  tree.File("sub\\deeper\\e.tif");
  tree.Directory("secret", FILE_ATTRIBUTE_HIDDEN);
  tree.File("secret\\f.jpg");

  const std::vector<std::string> flat = Sorted(Walk(tree.Root, filter, false));
  EXPECT_EQ(flat, Sorted({tree.Path("a.jpg"), tree.Path("B.JPG"), tree.Path("c.Png"), tree.Path("readonly.gif")}));

  // With the trailing backslash the same files are found, without a doubled separator.
  EXPECT_EQ(Sorted(Walk(tree.Root + "\\", filter, false)), flat);

  const std::vector<std::string> deep = Walk(tree.Root, filter, true);
  EXPECT_EQ(Sorted(deep), Sorted({tree.Path("a.jpg"), tree.Path("B.JPG"), tree.Path("c.Png"),
                                  tree.Path("readonly.gif"), tree.Path("sub\\d.bmp"),
                                  tree.Path("sub\\deeper\\e.tif")}));

  // No filter: every visible file.
  EXPECT_EQ(Walk(tree.Root, "", false).size(), 6u);
}

TEST(CatalogueWalkTest, WalkNeverEntersDirectoryLinks) {
  TCatalogueFolderTree tree("muralotrope_links");
  TCatalogueFolderTree outside("muralotrope_outside");
  tree.File("a.jpg");
  outside.File("elsewhere.jpg");
  const std::string toOutside = tree.Path("link"), toRoot = tree.Path("loop");
  if (!CreateDirectoryLink(toOutside, outside.Root) || !IsReparsePoint(toOutside)) {
    const DWORD code = GetLastError();
    const DWORD attributes = GetFileAttributesA(toOutside.c_str());
    RemoveDirectoryA(toOutside.c_str());
    GTEST_SKIP() << "this system makes no directory links that the walk can see as reparse points (error " << code
                 << ", attributes " << attributes << ")";
  }
  ASSERT_TRUE(CreateDirectoryLink(toRoot, tree.Root));
  // Through the link the files are there, so only the walk's rule keeps them out.
  ASSERT_NE(GetFileAttributesA((toOutside + "\\elsewhere.jpg").c_str()), INVALID_FILE_ATTRIBUTES);

  const std::vector<std::string> files = Walk(tree.Root, "*.jpg", true);
  RemoveDirectoryA(toOutside.c_str());
  RemoveDirectoryA(toRoot.c_str());
  EXPECT_EQ(files, std::vector<std::string>{tree.Path("a.jpg")});
}

TEST(CatalogueWalkTest, MissingDirectoryIsRecordedAndBarePathsAreIgnored) {
  std::vector<std::string> files{"kept"};
  LoadFilesList("C:\\muralotrope no such directory", "*.jpg", files, true);
  EXPECT_TRUE(FunStatContext.Failed());
  EXPECT_EQ(FunStatContext.Description, "Failed to load directory.");
  EXPECT_EQ(FunStatContext.Parameter1, "C:\\muralotrope no such directory");
  EXPECT_EQ(FunStatContext.SystemErrorCode, static_cast<uint32_t>(ERROR_PATH_NOT_FOUND));

  for (const char* path : {"", "C:", "relative"}) {
    LoadFilesList(path, "", files, true);
    EXPECT_FALSE(FunStatContext.Failed()) << path;
  }
  EXPECT_EQ(files, std::vector<std::string>{"kept"});
}

TEST(CatalogueWalkTest, RowsGiveOneSortedBlockEach) {
  TCatalogueFolderTree tree("muralotrope_blocks");
  tree.File("m.jpg");
  tree.Directory("a-sub");
  tree.File("a-sub\\z.jpg");
  tree.File("a-sub\\Y.jpg");
  tree.Directory("inactive");
  tree.File("inactive\\x.jpg");

  std::vector<DirectoryEntry> rows(3);
  rows[0] = {tree.Root, DirectoryActiveBit | DirectoryRecursiveBit};
  rows[1] = {tree.Path("a-sub"), DirectoryActiveBit};
  rows[2] = {tree.Path("inactive"), DirectoryRecursiveBit};
  std::vector<std::string> pictureList;
  BuildPictureList(
      rows, [](const std::string& directory, bool recursive,
               std::vector<std::string>& files) { LoadFilesList(directory, "*.jpg", files, recursive); },
      CompareTextUserLocale, pictureList);

  // The subdirectory sorts before the root's own picture; its files come
  // again as the second row's block; the inactive row gives nothing of its own.
  const std::vector<std::string> expected{
      tree.Path("a-sub\\Y.jpg"), tree.Path("a-sub\\z.jpg"), tree.Path("inactive\\x.jpg"), tree.Path("m.jpg"),
      tree.Path("a-sub\\Y.jpg"), tree.Path("a-sub\\z.jpg")};
  EXPECT_EQ(pictureList, expected);
}
