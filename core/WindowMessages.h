// How the main window reacts to the system's messages: which handler a
// message goes to, and what a change of system settings asks of the wallpaper.
#pragma once

enum class TMainWindowMessage {
  Other,            // default processing only
  QueryEndSession,  // the coming close is a real close
  SettingChange,
  DropFiles,
  Hotkey,           // by identifier, see Hotkeys.h
  TrayCallback,     // see TrayMenu.h
};

constexpr unsigned kTrayCallbackMessage = 1124;

// WM_QUERYENDSESSION 17, WM_SETTINGCHANGE 26, WM_DROPFILES 563, WM_HOTKEY 786,
// the tray callback 1124. Every message still goes to default processing.
TMainWindowMessage ClassifyMainWindowMessage(unsigned message);

struct TAreaRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
};

bool operator==(const TAreaRect& a, const TAreaRect& b);
inline bool operator!=(const TAreaRect& a, const TAreaRect& b) { return !(a == b); }

// The work area shrunk by the desktop margin on every side.
TAreaRect ShrinkByMargin(const TAreaRect& workArea, int margin);

struct TSettingsChangeInput {
  int ScreenWidth = 0;   // the primary screen now
  int ScreenHeight = 0;
  int FittedScreenWidth = 0;  // the size the kept fitted picture was made for
  int FittedScreenHeight = 0;
  TAreaRect WorkArea;         // the desktop work area now
  int DesktopMargin = 0;
  TAreaRect CalendarWorkArea; // the area the calendar was last placed in
};

enum class TSettingsChangeAction { Nothing, Redraw, Reload };

// A new screen size needs the picture fitted again (Reload); a new
// margin-shrunk work area only moves the calendar (Redraw); else Nothing.
TSettingsChangeAction DecideSettingsChange(const TSettingsChangeInput& input);
