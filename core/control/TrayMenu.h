// The notification-area icon's popup menu as data, the rules that set its
// check marks and handle its brightness submenu, and the icon's mouse rule.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

enum class TTrayMenuCommand {
  None,  // separators and the submenu holder
  Close,
  AddPicturesDirectory,
  VisibleCalendar,
  VisibleCalendarBack,
  SetCalendarPosition,
  LoadCalendarSkin,
  LoadCalendarSkinColors,
  NormalizeBrightness,  // every item of the brightness submenu
};

// Which state an item's check mark shows when the menu pops up.
enum class TTrayMenuCheck { None, ShowCalendar, ShowCalendarBack, NormalizeBrightnessLevel };

struct TTrayMenuItem {
  const char* Name;     // the STP_ name; empty for a separator
  const char* Caption;  // "-" for a separator
  int Tag;
  TTrayMenuCommand Command;
  TTrayMenuCheck CheckedBy;
  bool IsRadio;
  bool HasSubmenu;  // holds NormalizeBrightnessMenuItems()
};

// The popup menu's items in order.
const std::vector<TTrayMenuItem>& TrayMenuItems();
// The "Normalize brightness" submenu: "None" (tag 0), a separator, then
// "80" .. "10" with tags equal to their captions.
const std::vector<TTrayMenuItem>& NormalizeBrightnessMenuItems();

bool IsMenuSeparator(const TTrayMenuItem& item);

// Index of the first item whose tag equals tag and that is not a separator.
std::optional<size_t> FindMenuItemIndexByTag(const std::vector<TTrayMenuItem>& items, int tag);

// The check marks set just before the popup appears.
struct TTrayMenuChecks {
  bool VisibleCalendar = false;
  bool VisibleCalendarBack = false;
  size_t CheckedBrightnessItem = 0;  // index in NormalizeBrightnessMenuItems()
};

// The level's item when normalisation is on and the submenu offers that
// level; "None" otherwise (levels such as 5, 35 or 95 show "None").
TTrayMenuChecks GetTrayMenuChecks(bool showCalendar, bool showCalendarBack,
                                  bool normalizeBrightness, int normalizeLevel);

enum class TNormalizeMenuAction { Nothing, SwitchOff, SelectLevel };

struct TNormalizeMenuChoice {
  TNormalizeMenuAction Action = TNormalizeMenuAction::Nothing;
  int Level = 0;  // for SelectLevel
};

// "None" switches normalisation off; an item tagged 1 or more selects its
// level (then one composition with reload); anything else does nothing.
TNormalizeMenuChoice DecideNormalizeBrightnessClick(const TTrayMenuItem& sender);

enum class TTrayMouseAction { Ignore, ShowMainWindow, PopupMenu };

// The tray callback's mouse event (the message's second parameter): left
// button up (514) shows the main window, right button up (517) pops the menu up.
TTrayMouseAction GetTrayMouseAction(long long mouseEvent);
