// The main window: the program's single settings and command surface. Its
// operations are split by concern over the MainForm*.cpp files.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main/CalendarPart.h"
#include "app/main/CataloguePart.h"
#include "app/main/CompositionPart.h"
#include "app/main/FavoritesPart.h"
#include "app/main/MainFormHost.h"
#include "app/main/MainFormPages.h"
#include "app/main/SchedulePart.h"
#include "app/main/OptionHolder.h"
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

  bool IsUpdatingControls = true;
  bool ExitRequested = false;
  // Set once a close was allowed: the options are saved and the loop ends.
  bool CloseAllowed = false;
  TSystemTray SystemTray;
  HMENU SystemTrayPopupMenu = nullptr;
  std::unique_ptr<TGdiPlusSession> GdiPlus;

  // ---- Layout (MainFormLayout.cpp) ----
  TLinkLabel AboutLabel, HelpLabel, CloseProgramLabel;
  TPageControl MainPageControl;  // "Wallpaper", "Calendar", "General"
  TPage WallpaperTabSheet, CalendarTabSheet, GeneralTabSheet;
  TPageControl WallpaperPageControl;  // the five wallpaper pages
  TPage WallpaperGeneralTabSheet, ResizeTabSheet, EffectsTabSheet, DirectoriesTabSheet, BroadcastTabSheet;
  TPageControl CalendarPageControl;  // the eight calendar pages
  TPage CalendarPages[kCalendarPageCount];

  // "General" page of the program.
  TCheckBox AutorunCheckBox, HideOnCloseCheckBox;
  TComboBox DesktopMarginComboBox;

  // ---- Catalogue: directories, picture names, selection (CataloguePart.cpp) ----
  TCataloguePart Catalogue{*this};

  // ---- Calendar: pages from the skin table, skins, paint, position (CalendarPart.cpp) ----
  TCalendarPart Calendar{*this};

  // ---- Composition: the pipeline, resize and effects, broadcast (CompositionPart.cpp) ----
  TCompositionPart Composition{*this, Catalogue, Calendar};

  // ---- Schedule: timer, settings changes, hotkeys (SchedulePart.cpp) ----
  TSchedulePart Schedule{*this, Catalogue, Composition, Calendar};

  // ---- Window messages and the tray menu (MainFormMessages.cpp) ----
  // The main window's own messages: session end, settings change, dropped
  // files, hotkeys, the tray callback and its menu. True when handled.
  bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  void SystemTrayPopupMenuPopup();
  void STP_CloseMenuClick();
  void STP_AddPicturesDirectoryMenuClick();
  void STP_VisibleCalendarMenuClick();
  void STP_VisibleCalendarBackMenuClick();
  void STP_SetCalendarPositionMenuClick();
  void STP_LoadCalendarSkinMenuClick();
  void STP_LoadCalendarSkinColorsMenuClick();
  void STP_NormalizeBrightnessMenuClick(const struct TTrayMenuItem& sender);

  // ---- Favourites and dropped files (FavoritesPart.cpp) ----
  TFavoritesPart Favorites{*this, Catalogue};

  // ---- Colour panels: stock dialog, system dialog, default, drag and drop (MainFormColors.cpp) ----
  // Gives a colour panel its mouse commands; reload says how a change recomposes.
  void AttachColorPanel(TColorPanel& panel, bool reload, bool acceptsDrops);
  void AttachColorPanels();
  void SetPanelColor(TColorPanel& panel, uint32_t color);
  void ColorPanelMouseDown(TColorPanel& panel, TMouseButton button, bool doubleClick, bool reload);
  bool ColorPanelClick(TColorPanel& panel, TMouseButton button);
  void ApplyPickedColor(uint32_t color);
  // Drops a dragged colour on the panel under the given screen point.
  bool DropColorAt(TColorPanel& source, POINT screenPoint);
  TColorPanel* LastColorPanel = nullptr;
  bool LastColorReload = false;
  std::vector<TColorPanel*> DropTargetPanels;

  // ---- Options file (MainFormOptions.cpp) ----
  void LoadOptionsFile();
  bool SaveOptionsFile();
  std::unique_ptr<TStoredTextList> Options;
  bool OptionsLoadFailed = false;
  void LoadOptions(TStoredTextList& store);
  void SaveOptions(TStoredTextList& store);
  // By the row's holder name ("AutorunCheckBox", "LastRedrawTime"), asked of
  // the window and each of its parts; empty when unknown.
  TOptionHolder FindOptionHolder(const std::string& name);
  // Gives every option control its items and default value.
  void SetUpOptionControls();
  // Visits every row of the options table that has a holder, in file order.
  void ForEachOptionRow(const std::function<void(const TOption&, const TOptionHolder&)>& visit);
  // Creates, rewrites or deletes the start-up shortcut as AutorunCheckBox says.
  void MakeAutorunShortcut();

 protected:
  void OnInitDialog() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  // What the parts ask of the window.
  HWND Owner() const override { return handle_; }
  bool Recompose(bool reload) override { return Composition.SetFileAsWallpaper(reload); }
  bool UpdatingControls() const override { return IsUpdatingControls; }
  void SetUpdatingControls(bool updating) override { IsUpdatingControls = updating; }
  bool OptionsLoading() const override { return Options && Options->IsLoading; }
  int DesktopMargin() const override;
  void ShowDirectoriesPage() override;
  void SetTrayTip(const std::string& tip) override { SystemTray.SetTip(tip); }
  // The window's own rows of the options table: its place and the "General" page.
  TOptionHolder OwnOptionHolder(const std::string& name);

  void CreatePages();
  void BindControls();
  void SizeClientArea();
  void AboutLabelClick();
  void HelpLabelClick();
  void CloseProgramLabelClick();
};

