// The main window: the program's single settings and command surface, made of
// the window itself (MainForm*.cpp) and its parts (*Part.cpp).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main/CalendarPart.h"
#include "app/main/CataloguePart.h"
#include "app/main/ColorPanelsPart.h"
#include "app/main/CompositionPart.h"
#include "app/main/FavoritesPart.h"
#include "app/main/MainFormHost.h"
#include "app/main/MainFormPages.h"
#include "app/main/OptionHolder.h"
#include "app/main/SchedulePart.h"
#include "core/composition/CompositionPlan.h"
#include "core/settings/StoredTextList.h"
#include "platform/GdiPlusSession.h"
#include "platform/SystemTray.h"
#include "platform/Widgets.h"

// One page of a page control: a child dialog whose controls the main window binds.
class TPage : public TDialogWindow {
 public:
  bool Create(int templateId, HWND parent) { return CreateModeless(templateId, parent); }
};

// The main window owns one part per concern (catalogue, composition, calendar,
// schedule, favourites, colour panels); each part holds its own controls and
// state and calls back through TMainFormHost. The window itself keeps its
// lifecycle, its pages, the program's "General" page, its messages and the
// tray menu, and the options file.
class TMainForm : public TDialogWindow, private TMainFormHost {
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
  void TerminateProgram() override;
  // The window's own keys, seen by the message loop before any control: Ctrl+Q
  // closes the program. True when the message was one of them.
  bool HandleShortcutKey(const MSG& message);
  // The tray icon's tip as the notification area shows it.
  std::string TrayTip() const { return SystemTray.Tip(); }
  // Called with each new tip once the notification area has it. While the program waits
  // on the notification area it answers messages sent to it, so a click can run inside
  // a change that is showing its picture's name; tests make one arrive exactly there.
  std::function<void(const std::string& tip)> TrayTipShown;

  // ---- The tray menu (MainFormMessages.cpp) ----
  void SystemTrayPopupMenuPopup();
  void STP_CloseMenuClick();
  void STP_AddPicturesDirectoryMenuClick();
  void STP_VisibleCalendarMenuClick();
  void STP_VisibleCalendarBackMenuClick();
  void STP_SetCalendarPositionMenuClick();
  void STP_LoadCalendarSkinMenuClick();
  void STP_LoadCalendarSkinColorsMenuClick();
  void STP_NormalizeBrightnessMenuClick(const struct TTrayMenuItem& sender);

  // ---- Options file (MainFormOptions.cpp) ----
  void LoadOptionsFile();
  bool SaveOptionsFile();
  void LoadOptions(TStoredTextList& store);
  void SaveOptions(TStoredTextList& store);
  // By the row's holder name ("AutorunCheckBox", "LastRedrawTime"), asked of
  // the window and each of its parts; empty when unknown.
  TOptionHolder FindOptionHolder(const std::string& name);

  bool IsUpdatingControls = true;

  // The members follow in the order they are made and unmade: the pages
  // before the parts whose controls live on them.
 private:
  bool ExitRequested = false;
  // Set once a close was allowed: the options are saved and the loop ends.
  bool CloseAllowed = false;
  TSystemTray SystemTray;
  HMENU SystemTrayPopupMenu = nullptr;
  std::unique_ptr<TGdiPlusSession> GdiPlus;
  TLinkLabel AboutLabel, HelpLabel, CloseProgramLabel;

 public:
  // ---- Layout (MainFormLayout.cpp) ----
  TPageControl MainPageControl;  // "Wallpaper", "Calendar", "General"
  TPage WallpaperTabSheet, CalendarTabSheet, GeneralTabSheet;
  TPageControl WallpaperPageControl;  // the five wallpaper pages
  TPage WallpaperGeneralTabSheet, ResizeTabSheet, EffectsTabSheet, DirectoriesTabSheet, BroadcastTabSheet;
  TPageControl CalendarPageControl;  // the eight calendar pages
  TPage CalendarPages[kCalendarPageCount];

 private:
  // "General" page of the program.
  TCheckBox AutorunCheckBox, HideOnCloseCheckBox;
  TComboBox DesktopMarginComboBox;

 public:
  // ---- The parts ----
  // Directories, picture names, selection (CataloguePart.cpp).
  TCataloguePart Catalogue{*this};
  // Pages from the skin table, skins, paint, position (CalendarPart.cpp).
  TCalendarPart Calendar{*this};
  // The pipeline, resize and effects, broadcast (CompositionPart.cpp).
  TCompositionPart Composition{*this, Catalogue, Calendar};
  // Timer, settings changes, hotkeys (SchedulePart.cpp).
  TSchedulePart Schedule{*this, Catalogue, Composition, Calendar};
  // Favourites and dropped files (FavoritesPart.cpp).
  TFavoritesPart Favorites{*this, Catalogue};
  // The colour panels' mouse commands (ColorPanelsPart.cpp).
  TColorPanelsPart ColorPanels{*this};

 protected:
  void OnInitDialog() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  // What the parts ask of the window.
  HWND Owner() const override { return handle_; }
  bool Recompose(bool reload) override { return Composition.SetFileAsWallpaper(reload); }
  void PictureListLoaded() override { Composition.PrepareNextPicture(); }
  bool UpdatingControls() const override { return IsUpdatingControls; }
  void SetUpdatingControls(bool updating) override { IsUpdatingControls = updating; }
  bool OptionsLoading() const override { return Options && Options->IsLoading; }
  int DesktopMargin() const override;
  void ShowDirectoriesPage() override;
  void SetTrayTip(const std::string& tip) override {
    SystemTray.SetTip(tip);
    if (TrayTipShown) TrayTipShown(tip);
  }

  // ---- Window messages and the tray menu (MainFormMessages.cpp) ----
  // The main window's own messages: session end, settings change, dropped
  // files, hotkeys, the tray callback and its menu. True when handled.
  bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

  // ---- Options file (MainFormOptions.cpp) ----
  // The window's own rows of the options table: its place and the "General" page.
  TOptionHolder OwnOptionHolder(const std::string& name);
  // Gives every option control its items and default value.
  void SetUpOptionControls();
  // Visits every row of the options table that has a holder, in file order.
  void ForEachOptionRow(const std::function<void(const TOption&, const TOptionHolder&)>& visit);
  // Creates, rewrites or deletes the start-up shortcut as AutorunCheckBox says.
  void MakeAutorunShortcut();
  std::unique_ptr<TStoredTextList> Options;
  bool OptionsLoadFailed = false;

  // ---- Layout (MainFormLayout.cpp) ----
  void SizeClientArea();
  void CreatePages();
  void BindControls();
  // Gives the filling colour and every calendar colour its mouse commands.
  void AttachColorPanels();
  void AboutLabelClick();
  void HelpLabelClick();
  void CloseProgramLabelClick();
};
