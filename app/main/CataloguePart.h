// The main window's picture catalogue: the directory list, loading the
// picture names, and choosing the current picture.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/main/MainFormHost.h"
#include "app/main/MainFormPages.h"
#include "app/main/OptionHolder.h"
#include "core/catalogue/DirectoryList.h"
#include "core/catalogue/PictureSelection.h"
#include "core/settings/SectionValues.h"
#include "platform/Widgets.h"

class TCataloguePart {
 public:
  explicit TCataloguePart(TMainFormHost& host);
  // Binds the controls of the "General" and "Directories" wallpaper pages.
  void Bind(TDialogWindow& generalPage, TDialogWindow& directoriesPage, TPageControl& wallpaperPages);

  TLabel LoadedPicturesCountLabel, LastPictureLabel, HoverDirectoryLabel;
  TLinkLabel NextWallpaperLabel, PreviousWallpaperLabel, FirstWallpaperLabel, LastWallpaperLabel;
  TLinkLabel IndexWallpaperLabel, RandomWallpaperLabel, UserWallpaperLabel;
  TListBox DirectoriesListBox;
  TLinkLabel AddDirectoryLabel, DeleteDirectoryLabel, ReloadFileNamesLabel, ClipPictureFileTitlesLink;

  // PictureList, CurrentPictureIndex, CurrentFileTitle and LastAutoChangeTime.
  TPictureSelection& Selection() { return selection_; }
  const TPictureSelection& Selection() const { return selection_; }
  // The directory rows; DirectoriesListBox shows them and follows every change.
  TDirectoryList& Directories() { return directories_; }

  void LoadPictureFileNames();
  // Counts the loads of the picture list: a picture prepared under another list is stale.
  uint64_t ListGeneration() const { return listGeneration_; }
  void ChangePicture(bool forward, bool random);
  // Changes the picture and composes it, stepping on the same way over
  // pictures that cannot be read (Next, Previous, Random and the timer).
  void ChangeAndShowPicture(bool forward, bool random);
  std::string FindNextPicture(bool forward, bool random, bool updateIndex);
  void SelectPicture(int index, const std::string& title);
  // Makes a picture file the current picture and composes it; other files are ignored.
  void UsePictureFile(const std::string& path);
  bool IsPictureFile(const std::string& path) const;
  void ShowCurrentPicture();
  void AddDirectoryByBrowsing(bool reload);
  // Shows the rows of Directories in DirectoriesListBox, with its current row.
  void ShowDirectories();
  // The catalogue's rows of the options table: the last change time, the
  // current picture and the "DirectoryList" section.
  TOptionHolder FindOptionHolder(const std::string& name);

  void NextWallpaperLabelClick();
  void PreviousWallpaperLabelClick();
  void RandomWallpaperLabelClick();
  void FirstWallpaperLabelClick();
  void LastWallpaperLabelClick();
  void IndexWallpaperLabelClick();
  void UserWallpaperLabelClick();
  void AddDirectoryLabelClick();
  void DeleteDirectoryLabelClick();
  void ReloadFileNamesLabelClick();
  void ClipPictureFileTitlesLinkClick();
  void DirectoriesTabSheetShow();
  void DirectoriesListBoxDrawItem(int index, HDC dc, const RECT& rect, UINT state);
  void DirectoriesListBoxMouseDown(TMouseButton button, int x, int y);
  void DirectoriesListBoxMouseMove(int x, int y);

 private:
  // Composes the chosen picture with a reload; false only when it could not be read.
  bool ShowChosenPicture();
  void ShowLoadedPicturesCount();
  void LoadDirectoryList(const TSectionReader& reader);

  TMainFormHost& host_;
  TPictureSelection selection_;
  uint64_t listGeneration_ = 0;
  TDirectoryList directories_;
  // Built from the image decoders when the window is created.
  std::vector<std::string> pictureExtensions_;
  std::string pictureFileFilter_;
};
