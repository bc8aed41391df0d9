// Construction, start-up, hiding to the tray, closing and destruction.
#include "app/main/MainForm.h"

#include "app/dialogs/AboutForm.h"

#include <shellapi.h>

#include "app/ProgramInfo.h"
#include "core/trace/FunStatus.h"
#include "core/catalogue/PathParts.h"
#include "core/control/WindowMessages.h"
#include "platform/InstanceSignal.h"
#include "platform/Program.h"
#include "platform/SettingsDirectory.h"
#include "resources/resource.h"

namespace {
constexpr UINT_PTR kTimerId = 1;
}

TMainForm::TMainForm() = default;

TMainForm::~TMainForm() {
  if (handle_) {
    KillTimer(handle_, kTimerId);
    DragAcceptFiles(handle_, FALSE);
  }
  Composition.ClearBroadcastValue();
  Schedule.UnregisterHotkeys();
  // The background preparation fits through GDI+: it ends first.
  Composition.StopPreparing();
  GdiPlus.reset();
  SystemTray.DeleteIcon();
  if (SystemTrayPopupMenu) DestroyMenu(SystemTrayPopupMenu);
}

bool TMainForm::Create() {
  FUN_TRACE("TMainForm::Create");
  FUN_GUARD({
    GdiPlus = std::make_unique<TGdiPlusSession>();
    if (!GdiPlus->Started()) {
      FUN_RAISE("Failed to start GDI+.", std::to_string(GdiPlus->StartStatus()));
      return;
    }
    SetLastError(0);
    if (!CreateModeless(IDD_MAIN, nullptr)) {
      FUN_RAISE("Failed to create window.", "Main", "", GetLastError());
      return;
    }
    IsUpdatingControls = true;
    PrepareSettingsDirectory();
    AcceptShowMainWindowMessage(handle_);
  });
  return !trace_.Failed();
}

void TMainForm::OnInitDialog() {
  SizeClientArea();
  CreatePages();
  BindControls();
  SetClassLongPtrA(handle_, GCLP_HICON,
                   reinterpret_cast<LONG_PTR>(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APPLICATION_ICON))));
}

void TMainForm::BeforeRun() {
  FUN_TRACE("TMainForm::BeforeRun");
  FUN_GUARD({
    if (AboutForm) {
      AboutForm->ProgramNameLabel.SetText(kProgramName);
      AboutForm->ProgramVersionLabel.SetText(kProgramVersion);
    }
    SystemTray.Owner = handle_;
    SystemTray.Icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APPLICATION_ICON));
    SystemTray.PopupMenu = SystemTrayPopupMenu;
    SystemTray.SetTip(kProgramName);
    SystemTray.AddIcon();
    if (!SameTextAscii(TProgram::GetProgramArgument(1), "ShowOnStart"))
      HideMainWindow();
    else
      ShowMainWindow();
    LoadOptionsFile();
    if (Catalogue.DirectoriesListBox.Count() == 0) {
      ShowDirectoriesPage();
      ShowMainWindow();
      Catalogue.AddDirectoryByBrowsing(false);
    }
    Catalogue.Selection().PictureList.clear();
    Catalogue.LoadPictureFileNames();
    DragAcceptFiles(handle_, TRUE);
    // The first tick chooses the first wallpaper when none is current.
    SetTimer(handle_, kTimerId, 1000, nullptr);
    IsUpdatingControls = false;
  });
  FUN_SHOW("Failed to prepare main window.");
}

void TMainForm::RequestExit() { ExitRequested = true; }

void TMainForm::FormCloseQuery() {
  if (CloseAllowed) return;
  if (!ExitRequested && HideOnCloseCheckBox.Checked()) {
    HideMainWindow();
    return;
  }
  CloseAllowed = true;
  // Nothing more is composed: the preparation in flight stops now, not at the end.
  Composition.DropPreparedPicture();
  SaveOptionsFile();
  KillTimer(handle_, kTimerId);
  DragAcceptFiles(handle_, FALSE);
  // The window, and the error window it owns, stay until the entry point has
  // shown any failure still pending; only then are the windows destroyed.
  ShowWindow(handle_, SW_HIDE);
  PostQuitMessage(0);
}

void TMainForm::ApplicationEventsMinimize() { HideMainWindow(); }

void TMainForm::TerminateProgram() {
  RequestExit();
  FormCloseQuery();
}

bool TMainForm::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  if (IsShowMainWindowMessage(message)) {
    // Another start of the program asks to be seen.
    ShowMainWindow();
    result = TRUE;
    return true;
  }
  if (Dispatch(message, wParam, lParam)) {
    result = TRUE;
    return true;
  }
  switch (message) {
    case WM_CLOSE:
      FormCloseQuery();
      result = TRUE;
      return true;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_MINIMIZE) {
        ApplicationEventsMinimize();
        result = TRUE;
        return true;
      }
      return false;
    case WM_TIMER:
      if (wParam == kTimerId) Schedule.TimerTimer();
      result = TRUE;
      return true;
    default: return false;
  }
}
