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

  // ---- Catalogue: directories, picture names, selection (MainFormCatalogue.cpp) ----
  TLabel LoadedPicturesCountLabel, LastPictureLabel, HoverDirectoryLabel;
  TLinkLabel NextWallpaperLabel, PreviousWallpaperLabel, FirstWallpaperLabel, LastWallpaperLabel;
  TLinkLabel IndexWallpaperLabel, RandomWallpaperLabel, UserWallpaperLabel;
  TListBox DirectoriesListBox;
  TLinkLabel AddDirectoryLabel, DeleteDirectoryLabel, ReloadFileNamesLabel, Label29;
  void BindCatalogueControls();

  // ---- Composition: the pipeline, resize and effects, broadcast (MainFormComposition.cpp) ----
  TLinkLabel Label4, Label3, Label18;  // "Redraw wallpaper", "View picture", "Clip picture file title"
  TComboBox PictureMinStretchSizeComboBox, PictureMaxStretchSkewComboBox;
  TCheckBox FitAndCropCheckBox, StretchPictureCheckBox, FitBeforeTileCheckBox, IsTileCheckBox;
  TLabel CurrentSkewLabel, PictureAppliedNormFactorLabel;
  TColorPanel FillingPictureColorPanel;
  TCheckBox UsePictureNormalizeBrightnessCheckBox;
  TComboBox PictureNormalizeBrightnessLevelComboBox, PictureNormalizeBrightnessMethodComboBox, GammaPictureComboBox;
  TLabel BroadcastHelpLabel, TestBroadcastHelpLabel;
  TCheckBox IsBroadcastWallpaperChangeCheckBox;
  TComboBox BroadcastWallpaperChangeIntervalComboBox;
  TLinkLabel Label6, Label27;  // "Broadcast wallpaper change for other programs", "View picture"
  void BindCompositionControls();

  // ---- Calendar: pages from the skin table, skins, position (MainFormCalendar.cpp) ----
  TCheckBox ShowCalendarCheckBox;
  void BindCalendarControls();

  // ---- Scheduling and control: timer, hotkeys, tray menu, messages (MainFormControl.cpp) ----
  TCheckBox IsAutoChangeWallpaperCheckBox, RandomWallpaperCheckBox, UseAutoChangeWallpaperStartTimeCheckBox;
  TComboBox AutoChangeWallpaperIntervalComboBox, AutoChangeWallpaperStartTimeComboBox;
  void BindControlControls();

  // ---- Favourites and dropped files (MainFormFavorites.cpp) ----
  TLinkLabel SetFavoriteLabel, AddFavoriteLabel, DeleteFavoriteLabel;
  void BindFavoritesControls();

  // ---- Options file (MainFormOptions.cpp) ----

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
