// The window's structure: size, page controls, pages and the controls bound to them.
#include "app/AboutForm.h"
#include "app/Help.h"
#include "app/MainForm.h"
#include "core/FunStatus.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include "platform/WindowPlacement.h"
#include "resources/resource.h"

namespace {

const char* const kCalendarPageCaptions[8] = {"General", "Back", "Back colors", "Header",
                                              "Year", "Month", "Day of week", "Days"};

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
  HWND pages = GetDlgItem(handle_, IDC_PAGE_CONTROL);
  GetWindowRect(pages, &tab);
  MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&tab), 2);
  SetWindowPos(pages, nullptr, tab.left, tab.top, client.right - 2 * tab.left, client.bottom - tab.top - tab.left,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainForm::CreatePages() {
  PageControl.Bind(*this, IDC_PAGE_CONTROL);
  SetTabPadding(PageControl.Handle());
  WallpaperTabSheet.Create(IDD_PAGE_WALLPAPER, handle_);
  CalendarTabSheet.Create(IDD_PAGE_CALENDAR, handle_);
  GeneralTabSheet.Create(IDD_PAGE_PROGRAM, handle_);
  PageControl.AddPage("Wallpaper", WallpaperTabSheet);
  PageControl.AddPage("Calendar", CalendarTabSheet);
  PageControl.AddPage("General", GeneralTabSheet);

  PageControl2.Bind(WallpaperTabSheet, IDC_PAGE_CONTROL2);
  FillParent(PageControl2.Handle(), 2);
  SetTabPadding(PageControl2.Handle());
  const struct { TPage* page; int templateId; const char* caption; } wallpaperPages[] = {
      {&WallpaperGeneralTabSheet, IDD_PAGE_WALLPAPER_GENERAL, "General"},
      {&ResizeTabSheet, IDD_PAGE_RESIZE, "Resize"},
      {&EffectsTabSheet, IDD_PAGE_EFFECTS, "Effects"},
      {&DirectoriesTabSheet, IDD_PAGE_DIRECTORIES, "Directories"},
      {&BroadcastTabSheet, IDD_PAGE_BROADCAST, "Broadcast"},
  };
  for (const auto& page : wallpaperPages) {
    if (!page.page->Create(page.templateId, WallpaperTabSheet.Handle())) page.page->Create(IDD_PAGE, WallpaperTabSheet.Handle());
    PageControl2.AddPage(page.caption, *page.page);
  }

  PageControl1.Bind(CalendarTabSheet, IDC_PAGE_CONTROL1);
  FillParent(PageControl1.Handle(), 2);
  SetTabPadding(PageControl1.Handle());
  for (int i = 0; i < 8; ++i) {
    CalendarPages[i].Create(IDD_PAGE, CalendarTabSheet.Handle());
    PageControl1.AddPage(kCalendarPageCaptions[i], CalendarPages[i]);
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
  HotkeyComboBox.Bind(GeneralTabSheet, IDC_HOTKEY_COMBOBOX);
  DesktopMarginComboBox.Bind(GeneralTabSheet, IDC_DESKTOP_MARGIN_COMBOBOX);
  // The margin moves the calendar: a redraw, like the other calendar options.
  DesktopMarginComboBox.OnChange = [this] { RedrawWallpaperOnParamChange(); };

  BindCatalogueControls();
  BindCompositionControls();
  BindCalendarControls();
  BindControlControls();
  BindFavoritesControls();
  SetUpOptionControls();
  AttachColorPanels();
}

void TMainForm::AttachColorPanels() {
  AttachColorPanel(FillingPictureColorPanel, true, false);
  SetPanelColor(FillingPictureColorPanel, FillingPictureColorPanel.Color());
  // The text colours of shadow, year and month take no drops; every other calendar colour does.
  const TControl* noDrops[] = {FindCalendarControl("CalendarTextShadowColorPanel"),
                               FindCalendarControl("CalendarYearTextColorPanel"),
                               FindCalendarControl("CalendarMonthTextColorPanel")};
  for (TColorPanel* panel : CalendarColorPanels()) {
    const bool acceptsDrops = std::find(std::begin(noDrops), std::end(noDrops), panel) == std::end(noDrops);
    AttachColorPanel(*panel, false, acceptsDrops);
    SetPanelColor(*panel, panel->Color());
  }
}

void TMainForm::ShowDirectoriesPage() {
  PageControl2.SetActivePage(3);
  PageControl.SetActivePage(0);
}

void TMainForm::AboutLabelClick() {
  if (AboutForm) AboutForm->Dialog();
}

void TMainForm::HelpLabelClick() {
  FUN_TRACE("TMainForm::HelpLabelClick");
  FUN_GUARD({
    OpenProgramHelp(handle_, 100);
    if (trace_.CalleeFailed()) return;
  });
  FUN_SHOW("Failed to open help file.");
}

void TMainForm::CloseProgramLabelClick() { TerminateProgram(); }
