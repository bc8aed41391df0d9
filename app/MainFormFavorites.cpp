// The favourite pictures and files dropped on the window.
#include "app/MainForm.h"
#include "resources/resource.h"

void TMainForm::BindFavoritesControls() {
  SetFavoriteLabel.Bind(WallpaperGeneralTabSheet, IDC_SET_FAVORITE_LABEL);
  AddFavoriteLabel.Bind(WallpaperGeneralTabSheet, IDC_ADD_FAVORITE_LABEL);
  DeleteFavoriteLabel.Bind(WallpaperGeneralTabSheet, IDC_DELETE_FAVORITE_LABEL);
}

// Filled in with dropped files.
void TMainForm::ProcessDroppedFiles(HDROP) {}
