// The directory list, loading the picture names, and choosing the current picture.
#include "app/MainForm.h"

#include <shlwapi.h>

#include <cstring>

#include "core/trace/FunStatus.h"
#include "core/catalogue/PictureExtensions.h"
#include "core/catalogue/PictureLabels.h"
#include "core/catalogue/PictureList.h"
#include "core/control/TimeHelpers.h"
#include "platform/Clipboard.h"
#include "platform/CryptoRandom.h"
#include "platform/DirectoryWalk.h"
#include "platform/FolderBrowser.h"
#include "platform/FontMetrics.h"
#include "platform/MessageBoxes.h"
#include "platform/FileDialogs.h"
#include "platform/PictureDecoders.h"
#include "platform/UserLocale.h"
#include "platform/WinText.h"
#include "platform/LocalTime.h"
#include "platform/HandleHolders.h"
#include "resources/resource.h"

namespace {



// The row height for the control's font: its character-cell height plus a
// margin, tall enough for the flag cells to hold "Active" and "Recurs".
int RowHeightForFont(HWND control) {
  const HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
  const TWindowDcHolder dc(control);
  const TSelection selection(dc.Get(), font);
  const auto width = [&dc](const char* text) {
    SIZE size = {};
    GetTextExtentPoint32A(dc.Get(), text, static_cast<int>(strlen(text)), &size);
    return static_cast<int>(size.cx);
  };
  return DirectoryRowHeight(GetFontHeight(font, control), width(ActiveCellText(true)), width(RecursiveCellText(true)));
}

void FillSystemColor(HDC dc, const RECT& rect, int colorIndex) { FillRect(dc, &rect, GetSysColorBrush(colorIndex)); }

// The text area of a cell: 3 pixels in from the left and right, 2 from the top and bottom.
RECT CellInset(const RECT& cell) { return {cell.left + 3, cell.top + 2, cell.right - 3, cell.bottom - 2}; }

}  // namespace

void TMainForm::BindCatalogueControls() {
  LoadedPicturesCountLabel.Bind(WallpaperGeneralTabSheet, IDC_LOADED_PICTURES_COUNT_LABEL);
  LastPictureLabel.Bind(WallpaperGeneralTabSheet, IDC_LAST_PICTURE_LABEL);
  NextWallpaperLabel.Bind(WallpaperGeneralTabSheet, IDC_NEXT_WALLPAPER_LABEL);
  PreviousWallpaperLabel.Bind(WallpaperGeneralTabSheet, IDC_PREVIOUS_WALLPAPER_LABEL);
  FirstWallpaperLabel.Bind(WallpaperGeneralTabSheet, IDC_FIRST_WALLPAPER_LABEL);
  LastWallpaperLabel.Bind(WallpaperGeneralTabSheet, IDC_LAST_WALLPAPER_LABEL);
  IndexWallpaperLabel.Bind(WallpaperGeneralTabSheet, IDC_INDEX_WALLPAPER_LABEL);
  RandomWallpaperLabel.Bind(WallpaperGeneralTabSheet, IDC_RANDOM_WALLPAPER_LABEL);
  UserWallpaperLabel.Bind(WallpaperGeneralTabSheet, IDC_USER_WALLPAPER_LABEL);
  DirectoriesListBox.Bind(DirectoriesTabSheet, IDC_DIRECTORIES_LISTBOX);
  AddDirectoryLabel.Bind(DirectoriesTabSheet, IDC_ADD_DIRECTORY_LABEL);
  DeleteDirectoryLabel.Bind(DirectoriesTabSheet, IDC_DELETE_DIRECTORY_LABEL);
  ReloadFileNamesLabel.Bind(DirectoriesTabSheet, IDC_RELOAD_FILE_NAMES_LABEL);
  ClipPictureFileTitlesLink.Bind(DirectoriesTabSheet, IDC_CLIP_PICTURE_TITLES_LABEL);
  HoverDirectoryLabel.Bind(DirectoriesTabSheet, IDC_HOVER_DIRECTORY_LABEL);

  NextWallpaperLabel.OnClick = [this] { NextWallpaperLabelClick(); };
  PreviousWallpaperLabel.OnClick = [this] { PreviousWallpaperLabelClick(); };
  FirstWallpaperLabel.OnClick = [this] { FirstWallpaperLabelClick(); };
  LastWallpaperLabel.OnClick = [this] { LastWallpaperLabelClick(); };
  IndexWallpaperLabel.OnClick = [this] { IndexWallpaperLabelClick(); };
  RandomWallpaperLabel.OnClick = [this] { RandomWallpaperLabelClick(); };
  UserWallpaperLabel.OnClick = [this] { UserWallpaperLabelClick(); };
  AddDirectoryLabel.OnClick = [this] { AddDirectoryLabelClick(); };
  DeleteDirectoryLabel.OnClick = [this] { DeleteDirectoryLabelClick(); };
  ReloadFileNamesLabel.OnClick = [this] { ReloadFileNamesLabelClick(); };
  ClipPictureFileTitlesLink.OnClick = [this] { ClipPictureFileTitlesLinkClick(); };

  DirectoriesListBox.SetItemHeight(RowHeightForFont(DirectoriesListBox.Handle()));
  DirectoriesListBox.OnDrawItem = [this](int index, HDC dc, const RECT& rect, UINT state) {
    DirectoriesListBoxDrawItem(index, dc, rect, state);
  };
  DirectoriesListBox.OnMouseDown = [this](TMouseButton button, int x, int y, bool) {
    DirectoriesListBoxMouseDown(button, x, y);
  };
  DirectoriesListBox.OnMouseMove = [this](int x, int y) { DirectoriesListBoxMouseMove(x, y); };
  // No incremental search by typing; arrow and page keys still move the row.
  DirectoriesListBox.OnKeyPress = [](char) { return true; };
  DirectoriesListBox.OnSelect = [this] { Directories.CurrentRow = DirectoriesListBox.ItemIndex(); };
  HoverDirectoryLabel.SetText("");
  auto previousPageShow = std::move(WallpaperPageControl.OnPageShow);
  WallpaperPageControl.OnPageShow = [this, previousPageShow](int index) {
    if (previousPageShow) previousPageShow(index);
    if (index == kDirectoriesPage) DirectoriesTabSheetShow();
  };

  Selection.Services.Now = GetLocalDateTime;
  Selection.Services.FileExists = [](const std::string& path) { return PathFileExistsA(path.c_str()) != FALSE; };
  Selection.Services.RandomNumber = [] { return Random.Get(); };
  Selection.Services.Collate = CompareTextUserLocale;
  Selection.Services.SortKey = SortKeyUserLocale;
  Directories.SameName = SameNameIgnoringCase;
  Favorites.SameName = SameNameIgnoringCase;
  Selection.Services.ShowPictureLabels = [this] {
    ShowLoadedPicturesCount();
    ShowCurrentPicture();
  };
  Selection.Services.ShowError = [](const std::string& text) { ShowError(text); };

  GetPictureExtensions(PictureExtensionList);
  PictureFileFilter = GetPictureExtensionsAsFilter();
}

// ---- The directory list ----

void TMainForm::ShowDirectories() {
  SendMessageA(DirectoriesListBox.Handle(), WM_SETREDRAW, FALSE, 0);
  DirectoriesListBox.Clear();
  for (const TDirectoryEntry& entry : Directories.Entries()) DirectoriesListBox.AddItem(entry.Path, entry.Flags);
  DirectoriesListBox.SetItemIndex(Directories.CurrentRow);
  SendMessageA(DirectoriesListBox.Handle(), WM_SETREDRAW, TRUE, 0);
  DirectoriesListBox.Invalidate();
}

void TMainForm::LoadDirectoryList(const TSectionReader& reader) {
  Directories.Clear();
  Directories.Load(reader);
  ShowDirectories();
}

void TMainForm::AddDirectoryByBrowsing(bool reload) {
  if (Directories.IsFull()) {
    ShowWarning(kTooManyDirectoriesMessage);
    return;
  }
  std::string path;
  if (!BrowseForDirectory(handle_, "Choose a directory with picture files", path)) return;
  Directories.AddBrowsedDirectory(path);
  ShowDirectories();
  if (reload) ReloadFileNamesLabelClick();
}

void TMainForm::AddDirectoryLabelClick() { AddDirectoryByBrowsing(false); }

void TMainForm::DeleteDirectoryLabelClick() {
  if (!ShowQuery("Do you want to delete the focused directory?")) return;
  Directories.DeleteCurrentRow();
  ShowDirectories();
}

void TMainForm::ReloadFileNamesLabelClick() {
  LoadPictureFileNames();
  ShowMessage(LoadedPicturesCountLabel.Text() + ".");
}

void TMainForm::ClipPictureFileTitlesLinkClick() {
  CopyTextToClipboard(PictureListClipboardText(Selection.PictureList), "", false, false, handle_);
}

void TMainForm::DirectoriesTabSheetShow() { DirectoriesListBox.SetFocus(); }

void TMainForm::DirectoriesListBoxDrawItem(int index, HDC dc, const RECT& rect, UINT state) {
  FUN_TRACE("TMainForm::DirectoriesListBoxDrawItem");
  FUN_GUARD({
    if (!Directories.IsValidRow(index)) return;
    const TDirectoryEntry& entry = Directories.Entries()[index];
    const int height = DirectoriesListBox.ItemHeight();
    const TDirectoryRowGeometry cells = DirectoryRowGeometry(height);
    const int activeRight = rect.left + cells.ActiveRight;
    const int recursiveRight = rect.left + cells.RecursiveRight;
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(DirectoriesListBox.Handle(), WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);

    const struct {
      RECT cell;
      const char* text;
    } flagCells[] = {
        {{rect.left, rect.top, activeRight, rect.bottom}, ActiveCellText(entry.Active())},
        {{activeRight, rect.top, recursiveRight, rect.bottom}, RecursiveCellText(entry.Recursive())},
    };
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    for (const auto& flag : flagCells) {
      FillSystemColor(dc, flag.cell, COLOR_WINDOW);
      RECT text = CellInset(flag.cell);
      DrawTextA(dc, flag.text, -1, &text, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    }

    const bool selected = (state & ODS_SELECTED) != 0;
    const bool focused = (state & ODS_FOCUS) != 0;
    const int background = selected ? (focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE) : COLOR_WINDOW;
    const int foreground = selected ? (focused ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT) : COLOR_WINDOWTEXT;
    const RECT pathCell = {recursiveRight, rect.top, rect.right, rect.bottom};
    FillSystemColor(dc, pathCell, background);
    SetTextColor(dc, GetSysColor(foreground));
    RECT pathText = CellInset(pathCell);
    DrawProgramText(dc, entry.Path, pathText, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_PATH_ELLIPSIS);

    {
      const TGdiObjectHolder pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT)));
      const TSelection penSelection(dc, pen.Get());
      MoveToEx(dc, rect.left, rect.bottom - 1, nullptr);
      LineTo(dc, rect.right, rect.bottom - 1);
      for (int x : {activeRight, recursiveRight}) {
        MoveToEx(dc, x, rect.top, nullptr);
        LineTo(dc, x, rect.bottom);
      }
    }

    if (selected && focused) DrawFocusRect(dc, &rect);
  });
}

void TMainForm::DirectoriesListBoxMouseDown(TMouseButton button, int x, int y) {
  const int row = DirectoriesListBox.ItemAt(x, y);
  const bool toggled = Directories.PressAt(row, button == TMouseButton::Left, x, DirectoriesListBox.ItemHeight());
  DirectoriesListBox.SetItemIndex(Directories.CurrentRow);
  if (toggled) {
    DirectoriesListBox.SetItemData(Directories.CurrentRow, Directories.Entries()[Directories.CurrentRow].Flags);
    DirectoriesListBox.Invalidate();
  }
}

void TMainForm::DirectoriesListBoxMouseMove(int x, int y) {
  const int row = DirectoriesListBox.ItemAt(x, y);
  const std::string text = Directories.IsValidRow(row) ? Directories.Entries()[row].Path : std::string();
  if (HoverDirectoryLabel.Text() != text) HoverDirectoryLabel.SetText(text);
}

// ---- Picture names ----

void TMainForm::LoadPictureFileNames() {
  Selection.LoadPictureFileNames(
      Directories.Entries(), [this](const std::string& directory, bool recursive, std::vector<std::string>& files) {
        LoadFilesList(directory, PictureFileFilter, files, recursive);
      });
}

bool TMainForm::IsPictureFile(const std::string& path) const {
  return ::IsPictureFile(path, PictureExtensionList, CompareTextUserLocale);
}

void TMainForm::ShowLoadedPicturesCount() {
  LoadedPicturesCountLabel.SetText(LoadedPicturesCountText(static_cast<int64_t>(Selection.PictureList.size()),
                                                           UserThousandsSeparator(), Selection.AllPicturesUnreadable()));
}

void TMainForm::ShowCurrentPicture() {
  LastPictureLabel.SetText(
      CurrentPictureText(Selection.CurrentPictureIndex, Selection.CurrentFileTitle, UserThousandsSeparator()));
  SystemTray.SetTip(TrayTipText(Selection.CurrentFileTitle, Selection.AllPicturesUnreadable()));
}

// ---- Choosing the current picture ----

void TMainForm::ChangePicture(bool forward, bool random) { Selection.ChangePicture(forward, random); }

std::string TMainForm::FindNextPicture(bool forward, bool random, bool updateIndex) {
  return Selection.FindNextPicture(forward, random, updateIndex);
}

void TMainForm::SelectPicture(int index, const std::string& title) { Selection.SelectPicture(index, title); }

void TMainForm::UsePictureFile(const std::string& path) {
  if (!IsPictureFile(path)) return;
  SelectPicture(-1, path);
  SetFileAsWallpaper(true);
}

bool TMainForm::ShowChosenPicture() {
  // The pipeline empties the title of a picture it cannot read.
  const bool hadTitle = !Selection.CurrentFileTitle.empty();
  SetFileAsWallpaper(true);
  return !hadTitle || !Selection.CurrentFileTitle.empty();
}

void TMainForm::ChangeAndShowPicture(bool forward, bool random) {
  Selection.ChangePictureUntilShown(forward, random, [this] { return ShowChosenPicture(); });
}

void TMainForm::NextWallpaperLabelClick() { ChangeAndShowPicture(true, false); }

void TMainForm::PreviousWallpaperLabelClick() { ChangeAndShowPicture(false, false); }

void TMainForm::RandomWallpaperLabelClick() { ChangeAndShowPicture(true, true); }

void TMainForm::FirstWallpaperLabelClick() {
  if (Selection.PictureList.empty()) return;
  SelectPicture(0, "");
  SetFileAsWallpaper(true);
}

void TMainForm::LastWallpaperLabelClick() {
  if (Selection.PictureList.empty()) return;
  SelectPicture(static_cast<int>(Selection.PictureList.size()) - 1, "");
  SetFileAsWallpaper(true);
}

void TMainForm::IndexWallpaperLabelClick() {
  if (Selection.PictureList.empty()) return;
  const std::string answer = InputBox(handle_, "Input picture index", "Input picture index",
                                      IndexInputPrefill(Selection.CurrentPictureIndex));
  const int32_t choice = IndexInputChoice(answer, Selection.CurrentPictureIndex, Selection.PictureList.size());
  if (choice < 0) return;
  SelectPicture(choice, "");
  SetFileAsWallpaper(true);
}

void TMainForm::UserWallpaperLabelClick() {
  FUN_TRACE("TMainForm::UserWallpaperLabelClick");
  bool chosen = false;
  FUN_GUARD({
    std::string path = Selection.CurrentFileTitle;
    unsigned long failureCode = 0;
    TFileDialogRequest request;
    request.Filter = "Picture files|" + PictureFileFilter;
    if (!ChooseFileToOpen(handle_, request, path, failureCode)) {
      if (failureCode != 0) FUN_RAISE("Failed to open file dialog.", Selection.CurrentFileTitle, "", failureCode);
      return;
    }
    SelectPicture(-1, path);
    chosen = true;
  });
  FUN_SHOW("Failed to load picture file.");
  // The pipeline reports its own failures.
  if (chosen) SetFileAsWallpaper(true);
}
