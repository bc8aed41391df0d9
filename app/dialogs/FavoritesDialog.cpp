#include "app/dialogs/FavoritesDialog.h"

#include "core/trace/FunStatus.h"

TFavoritesDialog::~TFavoritesDialog() { ReleaseMenu(); }

void TFavoritesDialog::ReleaseMenu() {
  if (PopupMenu) DestroyMenu(PopupMenu);
  PopupMenu = nullptr;
}

void TFavoritesDialog::BuildMenu(bool setMode) {
  IsSetMode = setMode;
  ReleaseMenu();
  PopupMenu = CreatePopupMenu();
  if (!PopupMenu) return;
  AppendMenuA(PopupMenu, MF_STRING, kHeaderCommand, setMode ? "Set favorite wallpaper" : "Delete favorite");
  SetMenuDefaultItem(PopupMenu, kHeaderCommand, FALSE);
  for (int32_t k = 0; k < Count; ++k) {
    const int32_t slot = SlotOfMenuItem(k);
    // Paths are shown as they are: no "&" turns into an accelerator.
    std::string caption;
    for (char c : Titles[slot]) {
      caption += c;
      if (c == '&') caption += '&';
    }
    AppendMenuA(PopupMenu, MF_STRING, kFirstFavoriteCommand + slot, caption.c_str());
  }
}

void TFavoritesDialog::MenuItemClick(UINT commandId) {
  if (commandId < kFirstFavoriteCommand) return;
  const int32_t slot = static_cast<int32_t>(commandId - kFirstFavoriteCommand);
  if (slot >= Count || !OnSelect) return;
  // The handler may change the list, so act on a copy of the title.
  const std::string title = Titles[slot];
  if (IsSetMode)
    OnSelect(title);
  else
    Delete(title);
}

void TFavoritesDialog::Dialog(const TControl& control, bool setMode) {
  FUN_TRACE("TFavoritesDialog::Dialog");
  FUN_GUARD({
    BuildMenu(setMode);
    if (!PopupMenu) {
      FUN_RAISE("Failed to create popup menu.", "", "", GetLastError());
      return;
    }
    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    RECT client = {};
    GetClientRect(control.Handle(), &client);
    POINT below = {0, client.bottom};
    ClientToScreen(control.Handle(), &below);
    // The top-level window owns the menu, as for the tray menu, and must be in
    // front: a child window as owner leaves the menu open when the user clicks elsewhere.
    HWND owner = GetAncestor(control.Handle(), GA_ROOT);
    SetForegroundWindow(owner);
    const UINT command = static_cast<UINT>(TrackPopupMenu(
        PopupMenu, TPM_CENTERALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTBUTTON, cursor.x,
        below.y, 0, owner, nullptr));
    MenuItemClick(command);
  });
  FUN_SHOW("Failed to show favorites.");
}
