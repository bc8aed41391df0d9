#include "app/main/TrayMenu.h"

#include <vector>

namespace {

void AppendItems(HMENU menu, const std::vector<TTrayMenuItem>& items, UINT firstId) {
  for (size_t i = 0; i < items.size(); ++i) {
    const TTrayMenuItem& item = items[i];
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    if (IsMenuSeparator(item)) {
      info.fMask = MIIM_FTYPE;
      info.fType = MFT_SEPARATOR;
    } else {
      info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_ID | MIIM_DATA;
      info.fType = item.IsRadio ? MFT_RADIOCHECK : MFT_STRING;
      info.wID = firstId + static_cast<UINT>(i);
      info.dwItemData = static_cast<ULONG_PTR>(item.Tag);
      info.dwTypeData = const_cast<char*>(item.Caption);
      if (item.HasSubmenu) {
        HMENU submenu = CreatePopupMenu();
        AppendItems(submenu, NormalizeBrightnessMenuItems(), kBrightnessMenuFirstId);
        info.fMask |= MIIM_SUBMENU;
        info.hSubMenu = submenu;
      }
    }
    InsertMenuItemA(menu, static_cast<UINT>(i), TRUE, &info);
  }
}

void SetChecked(HMENU menu, UINT position, bool checked) {
  CheckMenuItem(menu, position, MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace

HMENU BuildTrayPopupMenu() {
  HMENU menu = CreatePopupMenu();
  if (menu) AppendItems(menu, TrayMenuItems(), kTrayMenuFirstId);
  return menu;
}

HMENU GetBrightnessSubmenu(HMENU menu) {
  const auto& items = TrayMenuItems();
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i].HasSubmenu) return GetSubMenu(menu, static_cast<int>(i));
  return nullptr;
}

void ApplyTrayMenuChecks(HMENU menu, const TTrayMenuChecks& checks) {
  const auto& items = TrayMenuItems();
  for (size_t i = 0; i < items.size(); ++i) {
    switch (items[i].CheckedBy) {
      case TTrayMenuCheck::ShowCalendar: SetChecked(menu, static_cast<UINT>(i), checks.VisibleCalendar); break;
      case TTrayMenuCheck::ShowCalendarBack:
        SetChecked(menu, static_cast<UINT>(i), checks.VisibleCalendarBack);
        break;
      default: break;
    }
  }
  HMENU submenu = GetBrightnessSubmenu(menu);
  if (!submenu) return;
  const auto& levels = NormalizeBrightnessMenuItems();
  for (size_t i = 0; i < levels.size(); ++i)
    if (!IsMenuSeparator(levels[i])) SetChecked(submenu, static_cast<UINT>(i), i == checks.CheckedBrightnessItem);
}

const TTrayMenuItem* FindTrayMenuItemById(UINT id) {
  const struct {
    const std::vector<TTrayMenuItem>& items;
    UINT firstId;
  } menus[] = {{TrayMenuItems(), kTrayMenuFirstId}, {NormalizeBrightnessMenuItems(), kBrightnessMenuFirstId}};
  for (const auto& menu : menus) {
    if (id < menu.firstId || id >= menu.firstId + menu.items.size()) continue;
    const TTrayMenuItem& item = menu.items[id - menu.firstId];
    return IsMenuSeparator(item) || item.HasSubmenu ? nullptr : &item;
  }
  return nullptr;
}
