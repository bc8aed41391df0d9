// The favourite pictures and files dropped on the window.
#include "app/MainForm.h"

#include "core/catalogue/DroppedFiles.h"
#include "core/trace/FunStatus.h"
#include "platform/DroppedFileList.h"
#include "platform/MessageBoxes.h"
#include "resources/resource.h"

void TMainForm::BindFavoritesControls() {
  SetFavoriteLabel.Bind(WallpaperGeneralTabSheet, IDC_SET_FAVORITE_LABEL);
  AddFavoriteLabel.Bind(WallpaperGeneralTabSheet, IDC_ADD_FAVORITE_LABEL);
  DeleteFavoriteLabel.Bind(WallpaperGeneralTabSheet, IDC_DELETE_FAVORITE_LABEL);
  SetFavoriteLabel.OnClick = [this] { SetFavoriteWallpaperLabelClick(); };
  AddFavoriteLabel.OnClick = [this] { AddPictureToFavoritesLabelClick(); };
  DeleteFavoriteLabel.OnClick = [this] { DeleteFavoriteLabelClick(); };
  Favorites.OnSelect = [this](const std::string& title) { UsePictureFile(title); };
}

void TMainForm::SetFavoriteWallpaperLabelClick() { Favorites.Dialog(SetFavoriteLabel, true); }

void TMainForm::AddPictureToFavoritesLabelClick() {
  if (Favorites.Count >= kMaxFavoriteCount) {
    ShowWarning(kTooManyFavoritesMessage);
    return;
  }
  Favorites.Add(Selection.CurrentFileTitle);
}

// The three links share one row, so the menu opens below it for both modes.
void TMainForm::DeleteFavoriteLabelClick() { Favorites.Dialog(SetFavoriteLabel, false); }

void TMainForm::ProcessDroppedFiles(HDROP drop) {
  FUN_TRACE("TMainForm::ProcessDroppedFiles");
  FUN_GUARD({
    FUN_CALL(DroppedFilesToList(drop, DroppedFiles));
    if (DroppedFiles.empty()) {
      FUN_RAISE(kNoFilesDroppedMessage, "", "", 0);
      return;
    }
    ShowDirectoriesPage();
    const TDropResult result = AddDroppedPaths(Directories, DroppedFiles, [](const std::string& path) {
      const DWORD attributes = GetFileAttributesA(path.c_str());
      return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    });
    if (result.Added > 0) ShowDirectories();
    if (result.TooManyDirectories) ShowWarning(kTooManyDirectoriesMessage);
  });
  FUN_SHOW(kFailedToDropFilesMessage);
}
