// The catalogue inside the real main window: the directory list control, the
// picture labels after a reload, dropped files, the clipboard and the random
// source. The window needs the program's dialog templates linked into the
// test program; without them these tests are skipped.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/main/MainForm.h"
#include "core/catalogue/DirectoryList.h"
#include "core/trace/FunStatus.h"
#include "platform/Clipboard.h"
#include "platform/CryptoRandom.h"
#include "platform/FontMetrics.h"
#include "platform/WinText.h"
#include "tests/platform/CatalogueFolderTree.h"
#include "tests/platform/ShellDrops.h"

namespace {

class CatalogueMainFormTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    form_ = new TMainForm;
    if (!form_->Create()) {
      delete form_;
      form_ = nullptr;
    }
  }
  static void TearDownTestSuite() {
    delete form_;
    form_ = nullptr;
  }
  void SetUp() override {
    if (!form_) GTEST_SKIP() << "the main window's dialog templates are not linked into this test program";
    form_->Catalogue.Directories().Clear();
    form_->Catalogue.ShowDirectories();
    form_->Catalogue.Selection().PictureList.clear();
    form_->Catalogue.Selection().CurrentPictureIndex = -1;
    form_->Catalogue.Selection().CurrentFileTitle.clear();
  }

  static void AddRows(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) form_->Catalogue.Directories().AddDirectoryEntry(path, true, false);
    form_->Catalogue.Directories().CurrentRow = 0;
    form_->Catalogue.ShowDirectories();
  }

  static void Click(UINT down, UINT up, int x, int y) {
    HWND list = form_->Catalogue.DirectoriesListBox.Handle();
    SendMessageA(list, down, down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, MAKELPARAM(x, y));
    SendMessageA(list, up, 0, MAKELPARAM(x, y));
  }

  static TMainForm* form_;
};

TMainForm* CatalogueMainFormTest::form_ = nullptr;

// The height one line of text takes in the control's font, as the text drawing measures it.
int LineHeight(HWND control) {
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
  RECT line = {0, 0, 0, 0};
  DrawTextA(dc, "Xg", -1, &line, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return line.bottom;
}

}  // namespace

TEST_F(CatalogueMainFormTest, FlagCellsToggleOnlyOnLeftPresses) {
  AddRows({"X:\\one", "Y:\\two"});
  TListBox& list = form_->Catalogue.DirectoriesListBox;
  const int h = list.ItemHeight();
  const HFONT font = reinterpret_cast<HFONT>(SendMessageA(list.Handle(), WM_GETFONT, 0, 0));
  EXPECT_GE(h, GetFontHeight(font, list.Handle()) + 4);  // taller where the flag texts need it
  EXPECT_EQ(GetFontHeight(font, list.Handle()), LineHeight(list.Handle()));
  EXPECT_EQ(GetFontHeight(font, reinterpret_cast<HWND>(1)), 0) << "no window, no device context";
  EXPECT_EQ(FunStatContext.Function, "GetFontHeight");
  EXPECT_EQ(FunStatContext.Description, "Failed to get device context.");
  FunStatContext.Reset(Perfect);
  const int w2 = h * 9 / 2;
  const int row1 = h + h / 2;

  Click(WM_LBUTTONDOWN, WM_LBUTTONUP, 2 * h - 1, row1);
  EXPECT_EQ(form_->Catalogue.Directories().CurrentRow, 1);
  EXPECT_EQ(list.ItemIndex(), 1);
  EXPECT_FALSE(form_->Catalogue.Directories().IsDirectoryActive(1));
  EXPECT_FALSE(form_->Catalogue.Directories().IsDirectoryRecursive(1));

  Click(WM_LBUTTONDOWN, WM_LBUTTONUP, 2 * h, row1);
  EXPECT_FALSE(form_->Catalogue.Directories().IsDirectoryActive(1));
  EXPECT_TRUE(form_->Catalogue.Directories().IsDirectoryRecursive(1));

  Click(WM_LBUTTONDOWN, WM_LBUTTONUP, w2, row1);
  EXPECT_FALSE(form_->Catalogue.Directories().IsDirectoryActive(1));
  EXPECT_TRUE(form_->Catalogue.Directories().IsDirectoryRecursive(1));

  // A right press selects the row and toggles nothing.
  Click(WM_RBUTTONDOWN, WM_RBUTTONUP, 1, h / 2);
  EXPECT_EQ(form_->Catalogue.Directories().CurrentRow, 0);
  EXPECT_EQ(list.ItemIndex(), 0);
  EXPECT_EQ(form_->Catalogue.Directories().Entries()[0].Flags, DirectoryActiveBit);

  // Typing never searches: "Y" leaves the first row current.
  SendMessageA(list.Handle(), WM_CHAR, 'Y', 0);
  EXPECT_EQ(list.ItemIndex(), 0);

  // The hover label follows the pointer and empties below the rows.
  SendMessageA(list.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(w2 + 5, row1));
  EXPECT_EQ(form_->Catalogue.HoverDirectoryLabel.Text(), "Y:\\two");
  SendMessageA(list.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(w2 + 5, 5 * h));
  EXPECT_EQ(form_->Catalogue.HoverDirectoryLabel.Text(), "");
}

TEST_F(CatalogueMainFormTest, RowPaintsCellsGridAndSelectionColours) {
  AddRows({"C:\\pictures"});
  const int h = form_->Catalogue.DirectoriesListBox.ItemHeight();
  const int w2 = h * 9 / 2, width = 400;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, h);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const RECT rect = {0, 0, width, h};
  const auto colour = [&](int x, int y) { return GetPixel(dc, x, y) & 0xFFFFFF; };
  const COLORREF windowColour = GetSysColor(COLOR_WINDOW), lineColour = GetSysColor(COLOR_WINDOWTEXT);

  form_->Catalogue.DirectoriesListBoxDrawItem(0, dc, rect, 0);
  EXPECT_EQ(colour(2 * h, h / 2), lineColour);
  EXPECT_EQ(colour(w2, h / 2), lineColour);
  EXPECT_EQ(colour(width / 2, h - 1), lineColour);
  EXPECT_EQ(colour(width / 2, h - 2), windowColour);
  EXPECT_EQ(colour(width - 5, h / 2), windowColour);
  const COLORREF plainCorner = colour(width - 1, 0);

  form_->Catalogue.DirectoriesListBoxDrawItem(0, dc, rect, ODS_SELECTED);
  EXPECT_EQ(colour(width - 5, h / 2), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(colour(1, 1), windowColour);  // flag cells keep the window colour when selected

  form_->Catalogue.DirectoriesListBoxDrawItem(0, dc, rect, ODS_SELECTED | ODS_FOCUS);
  EXPECT_EQ(colour(width - 5, h / 2), GetSysColor(COLOR_HIGHLIGHT));
  // The focus rectangle marks the row's edge.
  EXPECT_NE(colour(width - 1, 0), plainCorner);

  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

TEST_F(CatalogueMainFormTest, ReloadWhereTheCurrentPictureVanishedShowsNotInList) {
  TCatalogueFolderTree tree("muralotrope_reload");
  for (const char* name : {"a.jpg", "b.jpg", "c.png", "d.txt"}) tree.File(name);
  AddRows({tree.Root});
  form_->Catalogue.Selection().CurrentFileTitle = tree.Path("B.JPG");  // found whatever its case
  form_->Catalogue.LoadPictureFileNames();
  const std::string directory = tree.Root + "\\";
  EXPECT_EQ(form_->Catalogue.Selection().CurrentPictureIndex, 1);
  EXPECT_EQ(form_->Catalogue.LoadedPicturesCountLabel.Text(), "There are 3 pictures ready to be used as wallpapers");
  EXPECT_EQ(form_->Catalogue.LastPictureLabel.Text(), "Current picture (index 2) \"B.JPG\" in \"" + directory + "\"");
  EXPECT_EQ(form_->TrayTip(), "Muralotrope | " + tree.Path("B.JPG"));

  DeleteFileA(tree.Path("b.jpg").c_str());
  form_->Catalogue.LoadPictureFileNames();
  EXPECT_EQ(form_->Catalogue.Selection().CurrentPictureIndex, -1);
  EXPECT_EQ(form_->Catalogue.Selection().CurrentFileTitle, tree.Path("B.JPG"));
  EXPECT_EQ(form_->Catalogue.LoadedPicturesCountLabel.Text(), "There are 2 pictures ready to be used as wallpapers");
  EXPECT_EQ(form_->Catalogue.LastPictureLabel.Text(), "Current picture (index not in list) \"B.JPG\" in \"" + directory + "\"");
}

TEST_F(CatalogueMainFormTest, NextSkipsAndDropsVanishedFiles) {
  TCatalogueFolderTree tree("muralotrope_next");
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) tree.File(name);
  AddRows({tree.Root});
  form_->Catalogue.LoadPictureFileNames();
  form_->Catalogue.SelectPicture(0, "");
  DeleteFileA(tree.Path("b.jpg").c_str());
  form_->Catalogue.ChangePicture(true, false);
  EXPECT_EQ(form_->Catalogue.Selection().CurrentFileTitle, tree.Path("c.jpg"));
  EXPECT_EQ(form_->Catalogue.Selection().CurrentPictureIndex, 1);
  EXPECT_EQ(form_->Catalogue.LoadedPicturesCountLabel.Text(), "There are 2 pictures ready to be used as wallpapers");
  EXPECT_GT(form_->Catalogue.Selection().LastAutoChangeTime, 40000.0);  // a real local date, after 2009
}

TEST_F(CatalogueMainFormTest, DroppedFilesAddTheirDirectoriesOnce) {
  TCatalogueFolderTree tree("muralotrope_drop");
  tree.Directory("pictures");
  for (const char* name : {"pictures\\a.jpg", "pictures\\b.jpg"}) tree.File(name);
  form_->MainPageControl.SetActivePage(1);
  form_->Favorites.ProcessDroppedFiles(MakeDrop({tree.Path("pictures\\a.jpg"), tree.Path("pictures"),
                                       tree.Path("pictures\\b.jpg"), "Q:\\gone\\missing.jpg"}));
  ASSERT_EQ(form_->Catalogue.Directories().Count(), 2);
  EXPECT_EQ(form_->Catalogue.Directories().Entries()[0].Path, tree.Path("pictures"));
  EXPECT_EQ(form_->Catalogue.Directories().Entries()[0].Flags, DirectoryActiveBit);
  EXPECT_EQ(form_->Catalogue.Directories().Entries()[1].Path, "Q:\\gone");
  EXPECT_EQ(form_->Catalogue.DirectoriesListBox.Count(), 2);
  EXPECT_EQ(form_->Catalogue.DirectoriesListBox.ItemText(1), "Q:\\gone");
  EXPECT_EQ(form_->MainPageControl.ActivePage(), 0);
  EXPECT_EQ(form_->WallpaperPageControl.ActivePage(), 3);
  EXPECT_TRUE(form_->Catalogue.Selection().PictureList.empty());  // dropping does not reload
}

TEST_F(CatalogueMainFormTest, DroppedNamesInAnyScriptAddOneRowPerFolderInAnyLetterCase) {
  TCatalogueFolderTree tree("muralotrope_drop_names");
  const std::string photo = "\xD0\xA4\xD0\xBE\xD1\x82\xD0\xBE \xF0\x9F\x93\xB7";       // "Фото" and an emoji
  const std::string photoUpper = "\xD0\xA4\xD0\x9E\xD0\xA2\xD0\x9E \xF0\x9F\x93\xB7";  // "ФОТО" and the emoji
  const std::string picture = photo + "\\\xE5\x86\x99\xE7\x9C\x9F.jpg";                  // "写真.jpg"
  tree.Directory(photo);
  tree.File(picture);
  form_->Favorites.ProcessDroppedFiles(MakeWideDrop({tree.Path(picture), tree.Path(photoUpper)}));
  ASSERT_EQ(form_->Catalogue.Directories().Count(), 1);
  EXPECT_EQ(form_->Catalogue.Directories().Entries()[0].Path, tree.Path(photo));
  EXPECT_EQ(form_->Catalogue.DirectoriesListBox.ItemText(0), tree.Path(photo));
  form_->Catalogue.LoadPictureFileNames();
  EXPECT_EQ(form_->Catalogue.Selection().PictureList, std::vector<std::string>{tree.Path(picture)});
}

TEST_F(CatalogueMainFormTest, ClipsThePictureListAsLinesAndTheCurrentTitle) {
  // The clipboard belongs to the main window, which Windows needs for the data to be kept.
  form_->Catalogue.Selection().CurrentFileTitle = "C:\\p\\current.jpg";
  form_->Composition.ClipPictureFileTitleLinkClick();
  EXPECT_EQ(GetClipboardOwner(), form_->Handle());
  EXPECT_EQ(ClipboardText(form_->Handle()), "C:\\p\\current.jpg");

  form_->Catalogue.Selection().PictureList = {"C:\\p\\a.jpg", "C:\\p\\b.jpg"};
  form_->Catalogue.ClipPictureFileTitlesLinkClick();
  EXPECT_EQ(GetClipboardOwner(), form_->Handle());
  EXPECT_EQ(ClipboardText(form_->Handle()), "C:\\p\\a.jpg\r\nC:\\p\\b.jpg\r\n");
  ASSERT_TRUE(CopyTextToClipboard("more", "", false, true, form_->Handle()));
  EXPECT_EQ(ClipboardText(form_->Handle()), "C:\\p\\a.jpg\r\nC:\\p\\b.jpg\r\nmore");
}

TEST(CatalogueRandomTest, DrawsFromTheSystemSourceOverEveryPosition) {
  EXPECT_NE(Random.CryptProvider, 0u);
  bool seen[7] = {};
  for (int draw = 0; draw < 200; ++draw) {
    const int32_t r = Random.Get() % 7;
    seen[r < 0 ? -r : r] = true;
  }
  for (bool position : seen) EXPECT_TRUE(position);
}
