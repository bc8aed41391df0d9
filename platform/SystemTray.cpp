#include "platform/SystemTray.h"

#include <shellapi.h>

#include <algorithm>
#include <iterator>

#include "core/control/TrayMenu.h"
#include "core/control/WindowMessages.h"
#include "platform/WinText.h"

TSystemTray::~TSystemTray() { DeleteIcon(); }

NOTIFYICONDATAW TSystemTray::Record(UINT flags) const {
  NOTIFYICONDATAW record = {};
  record.cbSize = sizeof record;
  record.hWnd = Owner;
  record.uID = kTrayIconId;
  record.uFlags = flags;
  record.uCallbackMessage = kTrayCallbackMessage;
  record.hIcon = Icon;
  // The record's tip holds 128 UTF-16 units with its terminator; the wide
  // record carries any script, and the tip comes cut on a character boundary.
  const std::wstring tip = AnsiToWide(tip_);
  const size_t units = std::min(tip.size(), std::size(record.szTip) - 1);
  std::copy(tip.begin(), tip.begin() + static_cast<std::ptrdiff_t>(units), record.szTip);
  return record;
}

bool TSystemTray::AddIcon() {
  NOTIFYICONDATAW record = Record(NIF_MESSAGE | NIF_ICON | NIF_TIP);
  added_ = Shell_NotifyIconW(NIM_ADD, &record) != FALSE;
  return added_;
}

bool TSystemTray::DeleteIcon() {
  if (!added_) return false;
  NOTIFYICONDATAW record = Record(NIF_MESSAGE | NIF_ICON | NIF_TIP);
  added_ = false;
  return Shell_NotifyIconW(NIM_DELETE, &record) != FALSE;
}

void TSystemTray::SetTip(const std::string& text) {
  tip_ = text;
  NOTIFYICONDATAW record = Record(NIF_TIP);
  if (added_) Shell_NotifyIconW(NIM_MODIFY, &record);
}

void TSystemTray::ShowMainWindow() {
  ShowWindow(Owner, SW_RESTORE);
  ShowWindow(Owner, SW_SHOW);
  SetForegroundWindow(Owner);
  BringWindowToTop(Owner);
}

void TSystemTray::HideMainWindow() { ShowWindow(Owner, SW_HIDE); }

void TSystemTray::HandleTrayMessage(LPARAM mouseEvent) {
  switch (GetTrayMouseAction(LOWORD(mouseEvent))) {
    case TTrayMouseAction::ShowMainWindow:
      ShowMainWindow();
      break;
    case TTrayMouseAction::PopupMenu: {
      POINT cursor;
      if (!PopupMenu || !GetCursorPos(&cursor)) break;
      // The owner must be in front or the menu will not close when clicked away.
      SetForegroundWindow(Owner);
      TrackPopupMenu(PopupMenu, TPM_CENTERALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, Owner, nullptr);
      PostMessageA(Owner, WM_NULL, 0, 0);
      break;
    }
    case TTrayMouseAction::Ignore: break;
  }
}
