// How the main window reacts to the system's messages: which handler a
// message goes to, and what a change of system settings asks of the wallpaper.
#pragma once

enum class TMainWindowMessage {
  Other,            // default processing only
  QueryEndSession,  // the coming close is a real close
  SettingChange,
  DisplayChange,    // a new screen size: handled as a settings change
  DropFiles,
  Hotkey,           // by identifier, see Hotkeys.h
  TrayCallback,     // see TrayMenu.h
};

// The notification-area icon's id and the message its mouse events come in.
constexpr unsigned kTrayIconId = 1000;
constexpr unsigned kTrayCallbackMessage = 1124;

// WM_QUERYENDSESSION 17, WM_SETTINGCHANGE 26, WM_DISPLAYCHANGE 126, WM_DROPFILES 563, WM_HOTKEY 786,
// the tray callback 1124. Every message still goes to default processing.
TMainWindowMessage ClassifyMainWindowMessage(unsigned message);

// The registered message by which a second start asks the running program to
// show its main window.
inline constexpr const char* kShowMainWindowMessageName = "Muralotrope - Show Main Window";
