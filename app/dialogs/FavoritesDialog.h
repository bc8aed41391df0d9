// The favourites with the popup menu from which the user makes one the
// wallpaper or deletes it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "core/catalogue/Favorites.h"
#include "platform/Widgets.h"

class TFavoritesDialog : public TFavorites {
 public:
  TFavoritesDialog() = default;
  ~TFavoritesDialog();
  TFavoritesDialog(const TFavoritesDialog&) = delete;
  TFavoritesDialog& operator=(const TFavoritesDialog&) = delete;

  HMENU PopupMenu = nullptr;
  bool IsSetMode = true;
  // Called with the chosen favourite in set mode.
  std::function<void(const std::string& title)> OnSelect;

  // Opens the menu below the control at the pointer's x and acts on the
  // chosen item. A failure shows "Failed to show favorites.".
  void Dialog(const TControl& control, bool setMode);

  // The menu as Dialog opens it: a bold header, then the favourites newest first.
  void BuildMenu(bool setMode);
  // Acts on a menu command id as a click on that item would.
  void MenuItemClick(UINT commandId);

  // Command ids: the header, and the first favourite (plus its slot number).
  static constexpr UINT kHeaderCommand = 1;
  static constexpr UINT kFirstFavoriteCommand = 100;

 private:
  void ReleaseMenu();
};
