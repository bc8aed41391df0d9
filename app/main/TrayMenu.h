// The notification-area icon's popup menu, built from the menu table: its
// command identifiers and the check marks set just before it pops up.
#pragma once

#include <windows.h>

#include "core/control/TrayMenu.h"

// Top-level items are numbered from this identifier in table order, the
// "Normalize brightness" submenu's items from the second one.
constexpr UINT kTrayMenuFirstId = 41000;
constexpr UINT kBrightnessMenuFirstId = 41100;

// A popup menu holding every item of the table, the submenu included; the
// caller destroys it.
HMENU BuildTrayPopupMenu();

// The "Normalize brightness" submenu of a menu built above, or null.
HMENU GetBrightnessSubmenu(HMENU menu);

void ApplyTrayMenuChecks(HMENU menu, const TTrayMenuChecks& checks);

// The table item a WM_COMMAND identifier stands for, or null when it is not
// one of the menu's commands.
const TTrayMenuItem* FindTrayMenuItemById(UINT id);
