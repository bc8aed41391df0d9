#include "core/control/TrayMenu.h"

#include <cstring>

namespace {

using C = TTrayMenuCommand;
using K = TTrayMenuCheck;

const char* const kNoneItemName = "STP_NormalizeBrightness_NoneMenu";

}  // namespace

const std::vector<TTrayMenuItem>& TrayMenuItems() {
  static const std::vector<TTrayMenuItem> items = {
      {"STP_CloseMenu", "Close", 0, C::Close, K::None, false, false},
      {"", "-", 0, C::None, K::None, false, false},
      {"STP_AddPicturesDirectoryMenu", "Add pictures directory", 0, C::AddPicturesDirectory,
       K::None, false, false},
      {"", "-", 0, C::None, K::None, false, false},
      {"STP_VisibleCalendarMenu", "Visible calendar", 0, C::VisibleCalendar, K::ShowCalendar,
       false, false},
      {"STP_VisibleCalendarBackMenu", "Visible background", 0, C::VisibleCalendarBack,
       K::ShowCalendarBack, false, false},
      {"STP_SetCalendarPositionMenu", "Set calendar position", 0, C::SetCalendarPosition,
       K::None, false, false},
      {"STP_LoadCalendarSkinMenu", "Load calendar skin", 0, C::LoadCalendarSkin, K::None, false,
       false},
      {"STP_LoadCalendarSkinColorsMenu", "Load calendar colors", 0, C::LoadCalendarSkinColors,
       K::None, false, false},
      {"", "-", 0, C::None, K::None, false, false},
      {"STP_NormalizeBrightnessMenu", "Normalize brightness", 0, C::None, K::None, false, true},
  };
  return items;
}

const std::vector<TTrayMenuItem>& NormalizeBrightnessMenuItems() {
  static const std::vector<TTrayMenuItem> items = {
      {kNoneItemName, "None", 0, C::NormalizeBrightness, K::NormalizeBrightnessLevel, true, false},
      {"", "-", 0, C::None, K::None, false, false},
#define LEVEL_ITEM(level)                                                                     \
  {"STP_NormalizeBrightness" #level "Menu", #level, level, C::NormalizeBrightness,            \
   K::NormalizeBrightnessLevel, true, false}
      LEVEL_ITEM(80), LEVEL_ITEM(70), LEVEL_ITEM(60), LEVEL_ITEM(50), LEVEL_ITEM(40),
      LEVEL_ITEM(30), LEVEL_ITEM(25), LEVEL_ITEM(20), LEVEL_ITEM(15), LEVEL_ITEM(10),
#undef LEVEL_ITEM
  };
  return items;
}

bool IsMenuSeparator(const TTrayMenuItem& item) { return std::strcmp(item.Caption, "-") == 0; }

std::optional<size_t> FindMenuItemIndexByTag(const std::vector<TTrayMenuItem>& items, int tag) {
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i].Tag == tag && !IsMenuSeparator(items[i])) return i;
  return std::nullopt;
}

TTrayMenuChecks GetTrayMenuChecks(bool showCalendar, bool showCalendarBack,
                                  bool normalizeBrightness, int normalizeLevel) {
  TTrayMenuChecks checks;
  checks.VisibleCalendar = showCalendar;
  checks.VisibleCalendarBack = showCalendarBack;
  const auto& submenu = NormalizeBrightnessMenuItems();
  const std::optional<size_t> found = FindMenuItemIndexByTag(submenu, normalizeLevel);
  checks.CheckedBrightnessItem =
      found && normalizeBrightness ? *found : *FindMenuItemIndexByTag(submenu, 0);
  return checks;
}

TNormalizeMenuChoice DecideNormalizeBrightnessClick(const TTrayMenuItem& sender) {
  TNormalizeMenuChoice choice;
  if (std::strcmp(sender.Name, kNoneItemName) == 0) {
    choice.Action = TNormalizeMenuAction::SwitchOff;
  } else if (sender.Tag >= 1) {
    choice.Action = TNormalizeMenuAction::SelectLevel;
    choice.Level = sender.Tag;
  }
  return choice;
}

TTrayMouseAction GetTrayMouseAction(long long mouseEvent) {
  switch (mouseEvent) {
    case 514: return TTrayMouseAction::ShowMainWindow;  // WM_LBUTTONUP
    case 517: return TTrayMouseAction::PopupMenu;       // WM_RBUTTONUP
    default: return TTrayMouseAction::Ignore;
  }
}
