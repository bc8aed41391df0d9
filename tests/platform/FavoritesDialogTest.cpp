// The favourites' popup menu: its items, and what choosing one does.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/dialogs/FavoritesDialog.h"
#include "resources/resource.h"

namespace {

std::vector<std::string> MenuCaptions(HMENU menu) {
  std::vector<std::string> captions;
  for (int k = 0; k < GetMenuItemCount(menu); ++k) {
    char text[512] = {};
    GetMenuStringA(menu, k, text, sizeof text, MF_BYPOSITION);
    captions.emplace_back(text);
  }
  return captions;
}

}  // namespace

TEST(FavoritesDialogTest, MenuListsNewestFirstUnderItsHeader) {
  TFavoritesDialog favorites;
  favorites.BuildMenu(true);
  EXPECT_EQ(MenuCaptions(favorites.PopupMenu), std::vector<std::string>{"Set favorite wallpaper"});
  EXPECT_EQ(GetMenuDefaultItem(favorites.PopupMenu, TRUE, 0), 0u);  // the bold header

  for (const char* title : {"C:\\p\\P.jpg", "C:\\p\\Q.jpg", "C:\\p\\R & S.jpg", "c:\\P\\p.JPG"}) favorites.Add(title);
  favorites.BuildMenu(false);
  // "&" is doubled so that the path shows as it is.
  EXPECT_EQ(MenuCaptions(favorites.PopupMenu),
            (std::vector<std::string>{"Delete favorite", "c:\\P\\p.JPG", "C:\\p\\R && S.jpg", "C:\\p\\Q.jpg"}));
}

TEST(FavoritesDialogTest, ChoosingSelectsInSetModeAndDeletesInDeleteMode) {
  TFavoritesDialog favorites;
  for (const char* title : {"C:\\p\\a.jpg", "C:\\p\\b.jpg", "C:\\p\\c.jpg"}) favorites.Add(title);
  std::vector<std::string> selected;

  // Without a bound handler nothing happens, in either mode.
  favorites.BuildMenu(false);
  favorites.MenuItemClick(TFavoritesDialog::kFirstFavoriteCommand + 1);
  EXPECT_EQ(favorites.Count, 3);

  favorites.OnSelect = [&](const std::string& title) { selected.push_back(title); };
  favorites.BuildMenu(true);
  favorites.MenuItemClick(TFavoritesDialog::kHeaderCommand);
  favorites.MenuItemClick(0);  // the menu was closed without a choice
  favorites.MenuItemClick(TFavoritesDialog::kFirstFavoriteCommand + 1);
  EXPECT_EQ(selected, std::vector<std::string>{"C:\\p\\b.jpg"});
  EXPECT_EQ(favorites.Count, 3);

  favorites.BuildMenu(false);
  favorites.MenuItemClick(TFavoritesDialog::kFirstFavoriteCommand + 2);
  EXPECT_EQ(selected.size(), 1u);
  ASSERT_EQ(favorites.Count, 2);
  EXPECT_EQ(favorites.Titles[0], "C:\\p\\a.jpg");
  EXPECT_EQ(favorites.Titles[1], "C:\\p\\b.jpg");
  // A stale command past the list does nothing.
  favorites.MenuItemClick(TFavoritesDialog::kFirstFavoriteCommand + 2);
  EXPECT_EQ(favorites.Count, 2);
}

namespace {

// The window that hears the menu loop go idle is the menu's owner.
HWND menuOwner = nullptr;

LRESULT CALLBACK NoteEnterIdle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_ENTERIDLE && wParam == MSGF_MENU && !menuOwner) {
    menuOwner = window;
    EndMenu();
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

// The menu belongs to the top-level window, as the tray menu does: a menu
// tracked for a child page does not close when the user clicks elsewhere.
TEST(FavoritesDialogTest, MenuIsTrackedForTheTopLevelWindow) {
  TDialogWindow window, page;
  ASSERT_TRUE(window.CreateModeless(IDD_MAIN, nullptr));
  ASSERT_TRUE(page.CreateModeless(IDD_PAGE, window.Handle()));
  TLinkLabel link;
  link.Create(page, 100, "STATIC", "Set favorite wallpaper", SS_NOTIFY, 4, 4, 80, 9);
  for (HWND watched : {window.Handle(), page.Handle(), link.Handle()}) SetWindowSubclass(watched, NoteEnterIdle, 7, 0);
  TFavoritesDialog favorites;
  favorites.Add("C:\\p\\a.jpg");
  // Should the owner never hear of the menu, the menu still ends.
  const UINT_PTR guard = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
  favorites.Dialog(link, true);
  KillTimer(nullptr, guard);
  EXPECT_EQ(menuOwner, window.Handle());
  for (HWND watched : {window.Handle(), page.Handle(), link.Handle()}) RemoveWindowSubclass(watched, NoteEnterIdle, 7);
}
