// The main window: the program's single settings and command surface. Its
// operations are split by concern over the MainForm*.cpp files.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/SystemTray.h"
#include "platform/Widgets.h"

// One page of a page control: a child dialog whose controls the main window binds.
class TPage : public TDialogWindow {
 public:
  bool Create(int templateId, HWND parent) { return CreateModeless(templateId, parent); }
};

class TMainForm : public TDialogWindow {
 public:
  TMainForm();
  ~TMainForm() override;

  // ---- Lifecycle (MainFormLifecycle.cpp) ----
  bool Create();
  void BeforeRun();
  void RequestExit();
  // Closes for real or hides, as the close request decides.
  void FormCloseQuery();
  void ApplicationEventsMinimize();
  void ShowMainWindow() { SystemTray.ShowMainWindow(); }
  void HideMainWindow() { SystemTray.HideMainWindow(); }
  void TerminateProgram();

  bool IsUpdatingControls = true;
  bool ExitRequested = false;
  TSystemTray SystemTray;
  HMENU SystemTrayPopupMenu = nullptr;
  ULONG_PTR GdiplusToken = 0;

  // ---- Layout (MainFormLayout.cpp) ----
  TLinkLabel AboutLabel, HelpLabel, CloseProgramLabel;
  TPageControl PageControl;  // "Wallpaper", "Calendar", "General"
  TPage WallpaperTabSheet, CalendarTabSheet, GeneralTabSheet;
  TPageControl PageControl2;  // the five wallpaper pages
  TPage WallpaperGeneralTabSheet, ResizeTabSheet, EffectsTabSheet, DirectoriesTabSheet, BroadcastTabSheet;
  TPageControl PageControl1;  // the eight calendar pages
  TPage CalendarPages[8];

  // "General" page of the program.
  TCheckBox AutorunCheckBox, HideOnCloseCheckBox;
  TComboBox HotkeyComboBox, DesktopMarginComboBox;

  void ShowDirectoriesPage();

 protected:
  void OnInitDialog() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  void CreatePages();
  void BindControls();
  void SizeClientArea();
  void AboutLabelClick();
  void HelpLabelClick();
  void CloseProgramLabelClick();
};

extern TMainForm* MainForm;
