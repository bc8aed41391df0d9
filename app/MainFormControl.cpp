// The one-second scheduler, the global hotkeys, the tray menu and the window messages.
#include "app/MainForm.h"
#include "resources/resource.h"

void TMainForm::BindControlControls() {
  IsAutoChangeWallpaperCheckBox.Bind(WallpaperGeneralTabSheet, IDC_IS_AUTO_CHANGE_CHECKBOX);
  AutoChangeWallpaperIntervalComboBox.Bind(WallpaperGeneralTabSheet, IDC_AUTO_CHANGE_INTERVAL_COMBOBOX);
  RandomWallpaperCheckBox.Bind(WallpaperGeneralTabSheet, IDC_RANDOM_WALLPAPER_CHECKBOX);
  UseAutoChangeWallpaperStartTimeCheckBox.Bind(WallpaperGeneralTabSheet, IDC_USE_START_TIME_CHECKBOX);
  AutoChangeWallpaperStartTimeComboBox.Bind(WallpaperGeneralTabSheet, IDC_START_TIME_COMBOBOX);
  IsAutoChangeWallpaperCheckBox.SetChecked(true);
}

// Filled in with the scheduler and the message dispatch.
void TMainForm::RegisterHotkeys() {}
void TMainForm::UnregisterHotkeys() {}
void TMainForm::TimerTimer() {}
bool TMainForm::Dispatch(UINT, WPARAM, LPARAM) { return false; }
