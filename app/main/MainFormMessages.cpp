// The main window's own messages and the tray menu: each goes to the part that handles it.
#include "app/main/MainForm.h"
#include "platform/CryptoRandom.h"
#include "core/composition/CompositionPlan.h"
#include "app/main/TrayMenu.h"
#include "core/trace/FunStatus.h"
#include "core/control/Hotkeys.h"
#include "core/settings/OptionsRules.h"
#include "core/control/Scheduler.h"
#include "core/settings/ValueText.h"
#include "core/control/WindowMessages.h"
#include "platform/Hotkeys.h"
#include "platform/LocalTime.h"
#include "platform/PowerStatus.h"
#include "platform/WindowPlacement.h"
#include "resources/resource.h"

namespace {

// The navigation command each hotkey runs.
void (TCataloguePart::*const kHotkeyHandlers[])() = {
    &TCataloguePart::NextWallpaperLabelClick,      // THotkeyCommand::Next
    &TCataloguePart::PreviousWallpaperLabelClick,  // THotkeyCommand::Previous
    &TCataloguePart::RandomWallpaperLabelClick,    // THotkeyCommand::Random
};

// The handler of each tray menu command; the brightness submenu has its own.
struct TTrayMenuHandler {
  TTrayMenuCommand Command;
  void (TMainForm::*Handler)();
};

const TTrayMenuHandler kTrayMenuHandlers[] = {
    {TTrayMenuCommand::Close, &TMainForm::STP_CloseMenuClick},
    {TTrayMenuCommand::AddPicturesDirectory, &TMainForm::STP_AddPicturesDirectoryMenuClick},
    {TTrayMenuCommand::VisibleCalendar, &TMainForm::STP_VisibleCalendarMenuClick},
    {TTrayMenuCommand::VisibleCalendarBack, &TMainForm::STP_VisibleCalendarBackMenuClick},
    {TTrayMenuCommand::SetCalendarPosition, &TMainForm::STP_SetCalendarPositionMenuClick},
    {TTrayMenuCommand::LoadCalendarSkin, &TMainForm::STP_LoadCalendarSkinMenuClick},
    {TTrayMenuCommand::LoadCalendarSkinColors, &TMainForm::STP_LoadCalendarSkinColorsMenuClick},
};

}  // namespace

// ---- Window messages ----

bool TMainForm::HandleShortcutKey(const MSG& message) {
  if (message.message != WM_KEYDOWN || !handle_ || GetAncestor(message.hwnd, GA_ROOT) != handle_) return false;
  const auto down = [](int key) { return GetKeyState(key) < 0; };
  if (!IsCloseProgramKey(static_cast<unsigned>(message.wParam), down(VK_CONTROL), down(VK_MENU), down(VK_SHIFT)))
    return false;
  CloseProgramLabelClick();
  return true;
}

bool TMainForm::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  const TMainWindowMessage kind = ClassifyMainWindowMessage(message);
  const bool isTrayMenuMessage = (message == WM_INITMENUPOPUP && SystemTrayPopupMenu &&
                                  reinterpret_cast<HMENU>(wParam) == SystemTrayPopupMenu) ||
                                 (message == WM_COMMAND && lParam == 0 && HIWORD(wParam) == 0 &&
                                  FindTrayMenuItemById(LOWORD(wParam)));
  if (kind == TMainWindowMessage::Other && message != WM_ENDSESSION && !isTrayMenuMessage) return false;

  bool handled = false;
  FUN_TRACE("TMainForm::Dispatch");
  FUN_GUARD({
    switch (kind) {
      case TMainWindowMessage::QueryEndSession:
        // The default answer lets the session end; the close that follows is real.
        RequestExit();
        break;
      case TMainWindowMessage::SettingChange:
      case TMainWindowMessage::DisplayChange:
        // A new screen size reloads the picture fitted to it.
        FUN_CALL(Schedule.FWinIniChange());
        break;
      case TMainWindowMessage::DropFiles:
        Favorites.ProcessDroppedFiles(reinterpret_cast<HDROP>(wParam));
        handled = true;
        break;
      case TMainWindowMessage::Hotkey:
        if (const auto command = GetHotkeyCommand(static_cast<int>(wParam)))
          (Catalogue.*kHotkeyHandlers[static_cast<int>(*command)])();
        handled = true;
        break;
      case TMainWindowMessage::TrayCallback:
        if (wParam == kTrayIconId) SystemTray.HandleTrayMessage(lParam);
        handled = true;
        break;
      case TMainWindowMessage::Other:
        if (message == WM_ENDSESSION) {
          // No close request reaches a hidden window at the end of a session:
          // close for real (options saved) now. A cancelled end keeps the
          // window's usual close behaviour.
          if (wParam)
            TerminateProgram();
          else
            ExitRequested = false;
          handled = true;
        } else if (message == WM_INITMENUPOPUP) {
          SystemTrayPopupMenuPopup();
        } else if (const TTrayMenuItem* item = FindTrayMenuItemById(LOWORD(wParam))) {
          if (item->Command == TTrayMenuCommand::NormalizeBrightness) {
            STP_NormalizeBrightnessMenuClick(*item);
          } else {
            for (const TTrayMenuHandler& entry : kTrayMenuHandlers)
              if (entry.Command == item->Command) (this->*entry.Handler)();
          }
          handled = true;
        }
        break;
    }
  });
  return handled;
}

// ---- Tray menu ----

namespace {

// The calendar background switch is made from the skin table like its neighbours.
TCheckBox* CalendarBackCheckBox(const TCalendarPart& calendar) {
  return dynamic_cast<TCheckBox*>(calendar.FindCalendarControl("ShowCalendarBackCheckBox"));
}

}  // namespace

void TMainForm::SystemTrayPopupMenuPopup() {
  const int level = GetIntFromTextAnyValue(Composition.PictureNormalizeBrightnessLevelComboBox.Text());
  ApplyTrayMenuChecks(SystemTrayPopupMenu,
                      GetTrayMenuChecks(Calendar.ShowsCalendar(),
                                        CalendarBackCheckBox(Calendar) && CalendarBackCheckBox(Calendar)->Checked(),
                                        Composition.UsePictureNormalizeBrightnessCheckBox.Checked(), level));
}

void TMainForm::STP_CloseMenuClick() { TerminateProgram(); }

void TMainForm::STP_AddPicturesDirectoryMenuClick() { Catalogue.AddDirectoryByBrowsing(true); }

void TMainForm::STP_VisibleCalendarMenuClick() {
  Calendar.ShowCalendarCheckBox.SetChecked(!Calendar.ShowsCalendar());
  Composition.RedrawWallpaperOnParamChange();
}

void TMainForm::STP_VisibleCalendarBackMenuClick() {
  TCheckBox* back = CalendarBackCheckBox(Calendar);
  if (!back) return;
  back->SetChecked(!back->Checked());
  Composition.RedrawWallpaperOnParamChange();
}

void TMainForm::STP_SetCalendarPositionMenuClick() { Calendar.CalendarSetDesktopPositionLabelClick(); }

void TMainForm::STP_LoadCalendarSkinMenuClick() { Calendar.LoadCalendarSkin(true); }

void TMainForm::STP_LoadCalendarSkinColorsMenuClick() { Calendar.LoadCalendarSkin(false); }

void TMainForm::STP_NormalizeBrightnessMenuClick(const TTrayMenuItem& sender) {
  const TNormalizeMenuChoice choice = DecideNormalizeBrightnessClick(sender);
  switch (choice.Action) {
    case TNormalizeMenuAction::Nothing: return;
    case TNormalizeMenuAction::SwitchOff:
      if (!Composition.UsePictureNormalizeBrightnessCheckBox.Checked()) return;
      Composition.UsePictureNormalizeBrightnessCheckBox.SetChecked(false);
      Composition.ReloadWallpaperOnParamChange();
      return;
    case TNormalizeMenuAction::SelectLevel: {
      // Both changes first, then one composition for them.
      const bool wasUpdating = IsUpdatingControls;
      IsUpdatingControls = true;
      Composition.UsePictureNormalizeBrightnessCheckBox.SetChecked(true);
      TComboBox& levels = Composition.PictureNormalizeBrightnessLevelComboBox;
      levels.SetItemIndex(SelectComboIndex(levels.Items(), std::to_string(choice.Level), ""));
      IsUpdatingControls = wasUpdating;
      Composition.SetFileAsWallpaper(true);
      return;
    }
  }
}
