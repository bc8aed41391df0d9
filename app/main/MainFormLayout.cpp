// The window's structure: size, page controls, pages and the controls bound to them.
#include "app/dialogs/AboutForm.h"
#include "app/Help.h"
#include "app/main/CalendarSkinControls.h"
#include "app/main/MainForm.h"
#include "app/main/TrayMenu.h"
#include "core/settings/ValueText.h"
#include "core/trace/FunStatus.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include "platform/WindowPlacement.h"
#include "resources/resource.h"

namespace {


// Stretches a control over its parent's client area, less a margin.
void FillParent(HWND control, int margin) {
  RECT area;
  GetClientRect(GetParent(control), &area);
  SetWindowPos(control, nullptr, margin, margin, area.right - 2 * margin, area.bottom - 2 * margin,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// Tabs as wide as their captions with a narrow padding, so that the eight
// calendar tabs fit on one row without scroll arrows; every page control uses it alike.
void SetTabPadding(HWND tabs) {
  SendMessageA(tabs, TCM_SETPADDING, 0, MAKELPARAM(ScaleForDpi(tabs, 4), ScaleForDpi(tabs, 3)));
  SendMessageA(tabs, TCM_SETMINTABWIDTH, 0, ScaleForDpi(tabs, 24));
}

}  // namespace

void TMainForm::SizeClientArea() {
  // 465 x 380 pixels at 96 DPI, scaled with the display.
  RECT frame = {0, 0, ScaleForDpi(handle_, 465), ScaleForDpi(handle_, 380)};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(handle_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrA(handle_, GWL_EXSTYLE)));
  SetWindowPos(handle_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client, tab;
  GetClientRect(handle_, &client);
  HWND pages = GetDlgItem(handle_, IDC_MAIN_PAGE_CONTROL);
  GetWindowRect(pages, &tab);
  MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&tab), 2);
  SetWindowPos(pages, nullptr, tab.left, tab.top, client.right - 2 * tab.left, client.bottom - tab.top - tab.left,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainForm::CreatePages() {
  MainPageControl.Bind(*this, IDC_MAIN_PAGE_CONTROL);
  SetTabPadding(MainPageControl.Handle());
  WallpaperTabSheet.Create(IDD_PAGE_WALLPAPER, handle_);
  CalendarTabSheet.Create(IDD_PAGE_CALENDAR, handle_);
  GeneralTabSheet.Create(IDD_PAGE_PROGRAM, handle_);
  MainPageControl.AddPage(kMainPageCaptions[kWallpaperPage], WallpaperTabSheet);
  MainPageControl.AddPage(kMainPageCaptions[kCalendarPage], CalendarTabSheet);
  MainPageControl.AddPage(kMainPageCaptions[kProgramPage], GeneralTabSheet);

  WallpaperPageControl.Bind(WallpaperTabSheet, IDC_WALLPAPER_PAGE_CONTROL);
  FillParent(WallpaperPageControl.Handle(), 2);
  SetTabPadding(WallpaperPageControl.Handle());
  const struct { TPage* page; int templateId; } wallpaperPages[] = {
      {&WallpaperGeneralTabSheet, IDD_PAGE_WALLPAPER_GENERAL}, {&ResizeTabSheet, IDD_PAGE_RESIZE},
      {&EffectsTabSheet, IDD_PAGE_EFFECTS}, {&DirectoriesTabSheet, IDD_PAGE_DIRECTORIES},
      {&BroadcastTabSheet, IDD_PAGE_BROADCAST},
  };
  static_assert(std::size(wallpaperPages) == std::size(kWallpaperPageCaptions));
  for (size_t i = 0; i < std::size(wallpaperPages); ++i) {
    TPage& page = *wallpaperPages[i].page;
    if (!page.Create(wallpaperPages[i].templateId, WallpaperTabSheet.Handle())) page.Create(IDD_PAGE, WallpaperTabSheet.Handle());
    WallpaperPageControl.AddPage(kWallpaperPageCaptions[i], page);
  }

  CalendarPageControl.Bind(CalendarTabSheet, IDC_CALENDAR_PAGE_CONTROL);
  FillParent(CalendarPageControl.Handle(), 2);
  SetTabPadding(CalendarPageControl.Handle());
  for (int i = 0; i < kCalendarPageCount; ++i) {
    CalendarPages[i].Create(IDD_PAGE, CalendarTabSheet.Handle());
    CalendarPageControl.AddPage(kCalendarPageCaptions[i], CalendarPages[i]);
  }
}

void TMainForm::BindControls() {
  AboutLabel.Bind(*this, IDC_ABOUT_LABEL);
  HelpLabel.Bind(*this, IDC_HELP_LABEL);
  CloseProgramLabel.Bind(*this, IDC_CLOSE_PROGRAM_LABEL);
  CloseProgramLabel.SetHint("Close program now. \"Ctrl + Q\"");
  AboutLabel.OnClick = [this] { AboutLabelClick(); };
  HelpLabel.OnClick = [this] { HelpLabelClick(); };
  CloseProgramLabel.OnClick = [this] { CloseProgramLabelClick(); };

  AutorunCheckBox.Bind(GeneralTabSheet, IDC_AUTORUN_CHECKBOX);
  HideOnCloseCheckBox.Bind(GeneralTabSheet, IDC_HIDE_ON_CLOSE_CHECKBOX);
  DesktopMarginComboBox.Bind(GeneralTabSheet, IDC_DESKTOP_MARGIN_COMBOBOX);
  // The margin moves the calendar: a redraw, like the other calendar options.
  DesktopMarginComboBox.OnChange = [this] { Composition.RedrawWallpaperOnParamChange(); };

  Catalogue.Bind(WallpaperGeneralTabSheet, DirectoriesTabSheet, WallpaperPageControl);
  Composition.Bind(WallpaperGeneralTabSheet, ResizeTabSheet, EffectsTabSheet, BroadcastTabSheet);
  TDialogWindow* const calendarPages[kCalendarPageCount] = {
      &CalendarPages[0], &CalendarPages[1], &CalendarPages[2], &CalendarPages[3],
      &CalendarPages[4], &CalendarPages[5], &CalendarPages[6], &CalendarPages[7]};
  Calendar.Create(calendarPages);
  Schedule.Bind(WallpaperGeneralTabSheet, GeneralTabSheet);
  if (!SystemTrayPopupMenu) SystemTrayPopupMenu = BuildTrayPopupMenu();
  Favorites.Bind(WallpaperGeneralTabSheet);
  SetUpOptionControls();
  AttachColorPanels();
}

void TMainForm::AttachColorPanels() {
  TColorPanel& filling = Composition.FillingPictureColorPanel;
  ColorPanels.AttachColorPanel(filling, true, false);
  TCalendarSkinControls::SetPanelColor(filling, filling.Color());
  // The text colours of shadow, year and month take no drops; every other calendar colour does.
  const TControl* noDrops[] = {Calendar.FindCalendarControl("CalendarTextShadowColorPanel"),
                               Calendar.FindCalendarControl("CalendarYearTextColorPanel"),
                               Calendar.FindCalendarControl("CalendarMonthTextColorPanel")};
  for (TColorPanel* panel : Calendar.CalendarColorPanels()) {
    const bool acceptsDrops = std::find(std::begin(noDrops), std::end(noDrops), panel) == std::end(noDrops);
    ColorPanels.AttachColorPanel(*panel, false, acceptsDrops);
    TCalendarSkinControls::SetPanelColor(*panel, panel->Color());
  }
}

void TMainForm::ShowDirectoriesPage() {
  WallpaperPageControl.SetActivePage(kDirectoriesPage);
  MainPageControl.SetActivePage(kWallpaperPage);
}

int TMainForm::DesktopMargin() const { return GetIntFromTextAnyValue(DesktopMarginComboBox.Text()); }

void TMainForm::AboutLabelClick() {
  if (AboutForm) AboutForm->Dialog();
}

void TMainForm::HelpLabelClick() {
  FUN_TRACE("TMainForm::HelpLabelClick");
  FUN_GUARD({
    FUN_CALL(OpenProgramHelp(handle_, 100));
  });
  FUN_SHOW("Failed to open help file.");
}

void TMainForm::CloseProgramLabelClick() { TerminateProgram(); }
