// The directory list, loading the picture names, and choosing the current picture.
#include "app/MainForm.h"
#include "resources/resource.h"

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
  Label29.Bind(DirectoriesTabSheet, IDC_CLIP_PICTURE_TITLES_LABEL);
  HoverDirectoryLabel.Bind(DirectoriesTabSheet, IDC_HOVER_DIRECTORY_LABEL);
}

// Filled in with the catalogue.
void TMainForm::LoadPictureFileNames() {}
void TMainForm::ChangePicture(bool forward, bool random) { Selection.ChangePicture(forward, random); }
std::string TMainForm::FindNextPicture(bool forward, bool random, bool updateIndex) {
  return Selection.FindNextPicture(forward, random, updateIndex);
}
void TMainForm::SelectPicture(int index, const std::string& title) { Selection.SelectPicture(index, title); }
void TMainForm::UsePictureFile(const std::string&) {}
bool TMainForm::IsPictureFile(const std::string&) const { return true; }
void TMainForm::ShowLoadedPicturesCount() {}
void TMainForm::ShowCurrentPicture() {}
void TMainForm::AddDirectoryByBrowsing(bool) {}
void TMainForm::NextWallpaperLabelClick() {}
void TMainForm::PreviousWallpaperLabelClick() {}
void TMainForm::RandomWallpaperLabelClick() {}
