// The main window's schedule: the one-second timer that changes, redraws and
// broadcasts, the auto-change options, the settings changes of the system and
// the global hotkeys.
#pragma once

#include <windows.h>

#include <string>

#include "app/main/CalendarPart.h"
#include "app/main/CataloguePart.h"
#include "app/main/CompositionPart.h"
#include "app/main/MainFormHost.h"
#include "app/main/OptionHolder.h"
#include "platform/Widgets.h"

class TSchedulePart {
 public:
  TSchedulePart(TMainFormHost& host, TCataloguePart& catalogue, TCompositionPart& composition,
                TCalendarPart& calendar);
  ~TSchedulePart();
  // Binds the auto-change controls of the wallpaper "General" page and the
  // hotkey list of the program's "General" page.
  void Bind(TDialogWindow& wallpaperGeneralPage, TDialogWindow& programPage);

  TCheckBox IsAutoChangeWallpaperCheckBox, RandomWallpaperCheckBox, UseAutoChangeWallpaperStartTimeCheckBox;
  TComboBox AutoChangeWallpaperIntervalComboBox, AutoChangeWallpaperStartTimeComboBox;
  TComboBox HotkeyComboBox;

  void TimerTimer();
  // A settings change of the system: a new screen size reloads, a new work
  // area redraws. One that comes while the program sets its own controls is
  // handled by the next tick.
  void FWinIniChange();
  // Seconds, derived from the interval list whenever its text is set.
  double AutoChangePeriod() const { return autoChangePeriod_; }
  void AutoChangeWallpaperIntervalComboBoxChange();
  // Registers the three hotkeys on the letter of HotkeyComboBox.
  void RegisterHotkeys();
  void UnregisterHotkeys();
  void HotkeyComboBoxChange();
  // The schedule's rows of the options table: the auto-change options and the hotkey.
  TOptionHolder FindOptionHolder(const std::string& name);

 private:
  TMainFormHost& host_;
  TCataloguePart& catalogue_;
  TCompositionPart& composition_;
  TCalendarPart& calendar_;
  double autoChangePeriod_ = 0;
  bool settingsChangePending_ = false;
  HWND hotkeyWindow_ = nullptr;  // the window the hotkeys are registered on
};
