// The favourite pictures and files dropped on the window.
#include "app/main/FavoritesPart.h"

#include "core/catalogue/DroppedFiles.h"
#include "core/trace/FunStatus.h"
#include "platform/DroppedFileList.h"
#include "platform/MessageBoxes.h"
#include "platform/UserLocale.h"
#include "resources/resource.h"

TFavoritesPart::TFavoritesPart(TMainFormHost& host, TCataloguePart& catalogue) : host_(host), catalogue_(catalogue) {
  favorites_.SameName = SameNameIgnoringCase;
}

void TFavoritesPart::Bind(TDialogWindow& generalPage) {
  SetFavoriteLabel.Bind(generalPage, IDC_SET_FAVORITE_LABEL);
  AddFavoriteLabel.Bind(generalPage, IDC_ADD_FAVORITE_LABEL);
  DeleteFavoriteLabel.Bind(generalPage, IDC_DELETE_FAVORITE_LABEL);
  SetFavoriteLabel.OnClick = [this] { SetFavoriteWallpaperLabelClick(); };
  AddFavoriteLabel.OnClick = [this] { AddPictureToFavoritesLabelClick(); };
  DeleteFavoriteLabel.OnClick = [this] { DeleteFavoriteLabelClick(); };
  favorites_.OnSelect = [this](const std::string& title) { catalogue_.UsePictureFile(title); };
}

void TFavoritesPart::SetFavoriteWallpaperLabelClick() { favorites_.Dialog(SetFavoriteLabel, true); }

void TFavoritesPart::AddPictureToFavoritesLabelClick() {
  if (favorites_.Count >= kMaxFavoriteCount) {
    ShowWarning(kTooManyFavoritesMessage);
    return;
  }
  favorites_.Add(catalogue_.Selection().CurrentFileTitle);
}

// The three links share one row, so the menu opens below it for both modes.
void TFavoritesPart::DeleteFavoriteLabelClick() { favorites_.Dialog(SetFavoriteLabel, false); }

void TFavoritesPart::ProcessDroppedFiles(HDROP drop) {
  FUN_TRACE("TMainForm::ProcessDroppedFiles");
  FUN_GUARD({
    FUN_CALL(DroppedFilesToList(drop, droppedFiles_));
    if (droppedFiles_.empty()) {
      FUN_RAISE(kNoFilesDroppedMessage, "", "", 0);
      return;
    }
    host_.ShowDirectoriesPage();
    const TDropResult result = AddDroppedPaths(catalogue_.Directories(), droppedFiles_, [](const std::string& path) {
      const DWORD attributes = GetFileAttributesA(path.c_str());
      return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    });
    if (result.Added > 0) catalogue_.ShowDirectories();
    if (result.TooManyDirectories) ShowWarning(kTooManyDirectoriesMessage);
  });
  FUN_SHOW(kFailedToDropFilesMessage);
}

TOptionHolder TFavoritesPart::FindOptionHolder(const std::string& name) {
  return FindNamedHolder(name, {{"Favorites", KeyValueSectionHolder([this](const TSectionReader& reader) { favorites_.Load(reader); },
                                                                    [this] { return favorites_.Save(); })}});
}
