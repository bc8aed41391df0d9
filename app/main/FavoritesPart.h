// The main window's favourite pictures and the files dropped on the window.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/dialogs/FavoritesDialog.h"
#include "app/main/CataloguePart.h"
#include "app/main/MainFormHost.h"
#include "app/main/OptionHolder.h"
#include "platform/Widgets.h"

class TFavoritesPart {
 public:
  // A chosen favourite becomes the catalogue's current picture; dropped
  // folders join its directory list.
  TFavoritesPart(TMainFormHost& host, TCataloguePart& catalogue);
  // Binds the three favourite links of the wallpaper "General" page.
  void Bind(TDialogWindow& generalPage);

  TLinkLabel SetFavoriteLabel, AddFavoriteLabel, DeleteFavoriteLabel;

  void ProcessDroppedFiles(HDROP drop);
  void SetFavoriteWallpaperLabelClick();
  void AddPictureToFavoritesLabelClick();
  void DeleteFavoriteLabelClick();
  // The options file's "FavoritePictures" section.
  TOptionHolder FindOptionHolder(const std::string& name);

 private:
  TMainFormHost& host_;
  TCataloguePart& catalogue_;
  TFavoritesDialog favorites_;
  std::vector<std::string> droppedFiles_;
};
