// The directory list, loading the picture names, and choosing the current picture.
#include "app/main/CataloguePart.h"

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

TCataloguePart::TCataloguePart(TMainFormHost& host) : host_(host) {}

void TCataloguePart::Bind(TDialogWindow& generalPage, TDialogWindow& directoriesPage, TPageControl& wallpaperPages) {
  LoadedPicturesCountLabel.Bind(generalPage, IDC_LOADED_PICTURES_COUNT_LABEL);
  LastPictureLabel.Bind(generalPage, IDC_LAST_PICTURE_LABEL);
  NextWallpaperLabel.Bind(generalPage, IDC_NEXT_WALLPAPER_LABEL);
  PreviousWallpaperLabel.Bind(generalPage, IDC_PREVIOUS_WALLPAPER_LABEL);
  FirstWallpaperLabel.Bind(generalPage, IDC_FIRST_WALLPAPER_LABEL);
  LastWallpaperLabel.Bind(generalPage, IDC_LAST_WALLPAPER_LABEL);
  IndexWallpaperLabel.Bind(generalPage, IDC_INDEX_WALLPAPER_LABEL);
  RandomWallpaperLabel.Bind(generalPage, IDC_RANDOM_WALLPAPER_LABEL);
  UserWallpaperLabel.Bind(generalPage, IDC_USER_WALLPAPER_LABEL);
  DirectoriesListBox.Bind(directoriesPage, IDC_DIRECTORIES_LISTBOX);
  AddDirectoryLabel.Bind(directoriesPage, IDC_ADD_DIRECTORY_LABEL);
  DeleteDirectoryLabel.Bind(directoriesPage, IDC_DELETE_DIRECTORY_LABEL);
  ReloadFileNamesLabel.Bind(directoriesPage, IDC_RELOAD_FILE_NAMES_LABEL);
  ClipPictureFileTitlesLink.Bind(directoriesPage, IDC_CLIP_PICTURE_TITLES_LABEL);
  HoverDirectoryLabel.Bind(directoriesPage, IDC_HOVER_DIRECTORY_LABEL);

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
  DirectoriesListBox.OnSelect = [this] { directories_.CurrentRow = DirectoriesListBox.ItemIndex(); };
  HoverDirectoryLabel.SetText("");
  auto previousPageShow = std::move(wallpaperPages.OnPageShow);
  wallpaperPages.OnPageShow = [this, previousPageShow](int index) {
    if (previousPageShow) previousPageShow(index);
    if (index == kDirectoriesPage) DirectoriesTabSheetShow();
  };

  selection_.Services.Now = GetLocalDateTime;
  selection_.Services.FileExists = [](const std::string& path) { return PathFileExistsA(path.c_str()) != FALSE; };
  selection_.Services.RandomNumber = [] { return Random.Get(); };
  selection_.Services.Collate = CompareTextUserLocale;
  selection_.Services.SortKey = SortKeyUserLocale;
  directories_.SameName = SameNameIgnoringCase;
  selection_.Services.ShowPictureLabels = [this] {
    ShowLoadedPicturesCount();
    ShowCurrentPicture();
  };
  selection_.Services.ShowError = [](const std::string& text) { ShowError(text); };

  GetPictureExtensions(pictureExtensions_);
  pictureFileFilter_ = GetPictureExtensionsAsFilter();
}

// ---- The directory list ----

void TCataloguePart::ShowDirectories() {
  SendMessageA(DirectoriesListBox.Handle(), WM_SETREDRAW, FALSE, 0);
  DirectoriesListBox.Clear();
  for (const TDirectoryEntry& entry : directories_.Entries()) DirectoriesListBox.AddItem(entry.Path, entry.Flags);
  DirectoriesListBox.SetItemIndex(directories_.CurrentRow);
  SendMessageA(DirectoriesListBox.Handle(), WM_SETREDRAW, TRUE, 0);
  DirectoriesListBox.Invalidate();
}

void TCataloguePart::LoadDirectoryList(const TSectionReader& reader) {
  directories_.Clear();
  directories_.Load(reader);
  ShowDirectories();
}

void TCataloguePart::AddDirectoryByBrowsing(bool reload) {
  if (directories_.IsFull()) {
    ShowWarning(kTooManyDirectoriesMessage);
    return;
  }
  std::string path;
  if (!BrowseForDirectory(host_.Owner(), "Choose a directory with picture files", path)) return;
  directories_.AddBrowsedDirectory(path);
  ShowDirectories();
  if (reload) ReloadFileNamesLabelClick();
}

void TCataloguePart::AddDirectoryLabelClick() { AddDirectoryByBrowsing(false); }

void TCataloguePart::DeleteDirectoryLabelClick() {
  if (!ShowQuery("Do you want to delete the focused directory?")) return;
  directories_.DeleteCurrentRow();
  ShowDirectories();
}

void TCataloguePart::ReloadFileNamesLabelClick() {
  LoadPictureFileNames();
  ShowMessage(LoadedPicturesCountLabel.Text() + ".");
}

void TCataloguePart::ClipPictureFileTitlesLinkClick() {
  CopyTextToClipboard(PictureListClipboardText(selection_.PictureList), "", false, false, host_.Owner());
}

void TCataloguePart::DirectoriesTabSheetShow() { DirectoriesListBox.SetFocus(); }

void TCataloguePart::DirectoriesListBoxDrawItem(int index, HDC dc, const RECT& rect, UINT state) {
  FUN_TRACE("TMainForm::DirectoriesListBoxDrawItem");
  FUN_GUARD({
    if (!directories_.IsValidRow(index)) return;
    const TDirectoryEntry& entry = directories_.Entries()[index];
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

void TCataloguePart::DirectoriesListBoxMouseDown(TMouseButton button, int x, int y) {
  const int row = DirectoriesListBox.ItemAt(x, y);
  const bool toggled = directories_.PressAt(row, button == TMouseButton::Left, x, DirectoriesListBox.ItemHeight());
  DirectoriesListBox.SetItemIndex(directories_.CurrentRow);
  if (toggled) {
    DirectoriesListBox.SetItemData(directories_.CurrentRow, directories_.Entries()[directories_.CurrentRow].Flags);
    DirectoriesListBox.Invalidate();
  }
}

void TCataloguePart::DirectoriesListBoxMouseMove(int x, int y) {
  const int row = DirectoriesListBox.ItemAt(x, y);
  const std::string text = directories_.IsValidRow(row) ? directories_.Entries()[row].Path : std::string();
  if (HoverDirectoryLabel.Text() != text) HoverDirectoryLabel.SetText(text);
}

// ---- Picture names ----

void TCataloguePart::LoadPictureFileNames() {
  selection_.LoadPictureFileNames(
      directories_.Entries(), [this](const std::string& directory, bool recursive, std::vector<std::string>& files) {
        LoadFilesList(directory, pictureFileFilter_, files, recursive);
      });
  ++listGeneration_;
  host_.PictureListLoaded();
}

TOptionHolder TCataloguePart::FindOptionHolder(const std::string& name) {
  return FindNamedHolder(name, {
                                   {"LastAutoChangeTime", RealHolder(selection_.LastAutoChangeTime)},
                                   {"CurrentFileTitle", PathHolder(selection_.CurrentFileTitle)},
                                   {"Directories", KeyValueSectionHolder(
                                                       [this](const TSectionReader& reader) { LoadDirectoryList(reader); },
                                                       [this] { return directories_.Save(); })},
                               });
}

bool TCataloguePart::IsPictureFile(const std::string& path) const {
  return ::IsPictureFile(path, pictureExtensions_, CompareTextUserLocale);
}

void TCataloguePart::ShowLoadedPicturesCount() {
  LoadedPicturesCountLabel.SetText(LoadedPicturesCountText(static_cast<int64_t>(selection_.PictureList.size()),
                                                           UserThousandsSeparator(), selection_.AllPicturesUnreadable()));
}

void TCataloguePart::ShowCurrentPicture() {
  LastPictureLabel.SetText(
      CurrentPictureText(selection_.CurrentPictureIndex, selection_.CurrentFileTitle, UserThousandsSeparator()));
  host_.SetTrayTip(TrayTipText(selection_.CurrentFileTitle, selection_.AllPicturesUnreadable()));
}

// ---- Choosing the current picture ----

void TCataloguePart::ChangePicture(bool forward, bool random) { selection_.ChangePicture(forward, random); }

std::string TCataloguePart::FindNextPicture(bool forward, bool random, bool updateIndex) {
  return selection_.FindNextPicture(forward, random, updateIndex);
}

void TCataloguePart::SelectPicture(int index, const std::string& title) { selection_.SelectPicture(index, title); }

void TCataloguePart::UsePictureFile(const std::string& path) {
  if (!IsPictureFile(path)) return;
  SelectPicture(-1, path);
  host_.Recompose(true);
}

bool TCataloguePart::ShowChosenPicture() {
  // The pipeline empties the title of a picture it cannot read.
  const bool hadTitle = !selection_.CurrentFileTitle.empty();
  host_.Recompose(true);
  return !hadTitle || !selection_.CurrentFileTitle.empty();
}

void TCataloguePart::ChangeAndShowPicture(bool forward, bool random) {
  selection_.ChangePictureUntilShown(forward, random, [this] { return ShowChosenPicture(); });
}

void TCataloguePart::NextWallpaperLabelClick() { ChangeAndShowPicture(true, false); }

void TCataloguePart::PreviousWallpaperLabelClick() { ChangeAndShowPicture(false, false); }

void TCataloguePart::RandomWallpaperLabelClick() { ChangeAndShowPicture(true, true); }

void TCataloguePart::FirstWallpaperLabelClick() {
  if (selection_.PictureList.empty()) return;
  SelectPicture(0, "");
  host_.Recompose(true);
}

void TCataloguePart::LastWallpaperLabelClick() {
  if (selection_.PictureList.empty()) return;
  SelectPicture(static_cast<int>(selection_.PictureList.size()) - 1, "");
  host_.Recompose(true);
}

void TCataloguePart::IndexWallpaperLabelClick() {
  if (selection_.PictureList.empty()) return;
  const std::string answer = InputBox(host_.Owner(), "Input picture index", "Input picture index",
                                      IndexInputPrefill(selection_.CurrentPictureIndex));
  const int32_t choice = IndexInputChoice(answer, selection_.CurrentPictureIndex, selection_.PictureList.size());
  if (choice < 0) return;
  SelectPicture(choice, "");
  host_.Recompose(true);
}

void TCataloguePart::UserWallpaperLabelClick() {
  FUN_TRACE("TMainForm::UserWallpaperLabelClick");
  bool chosen = false;
  FUN_GUARD({
    std::string path = selection_.CurrentFileTitle;
    unsigned long failureCode = 0;
    TFileDialogRequest request;
    request.Filter = "Picture files|" + pictureFileFilter_;
    if (!ChooseFileToOpen(host_.Owner(), request, path, failureCode)) {
      if (failureCode != 0) FUN_RAISE("Failed to open file dialog.", selection_.CurrentFileTitle, "", failureCode);
      return;
    }
    SelectPicture(-1, path);
    chosen = true;
  });
  FUN_SHOW("Failed to load picture file.");
  // The pipeline reports its own failures.
  if (chosen) host_.Recompose(true);
}
