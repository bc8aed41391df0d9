#include "platform/SystemTray.h"

#include <shellapi.h>

#include <cstring>

#include "core/control/TrayMenu.h"
#include "core/control/WindowMessages.h"

TSystemTray::~TSystemTray() { DeleteIcon(); }

NOTIFYICONDATAA TSystemTray::Record(UINT flags) const {
  NOTIFYICONDATAA record = {};
  record.cbSize = sizeof record;
  record.hWnd = Owner;
  record.uID = kTrayIconId;
  record.uFlags = flags;
  record.uCallbackMessage = kTrayCallbackMessage;
  record.hIcon = Icon;
  // The record's tip holds 128 characters; longer tips are cut at 127.
  std::strncpy(record.szTip, tip_.c_str(), sizeof record.szTip - 1);
  return record;
}

bool TSystemTray::AddIcon() {
  NOTIFYICONDATAA record = Record(NIF_MESSAGE | NIF_ICON | NIF_TIP);
  added_ = Shell_NotifyIconA(NIM_ADD, &record) != FALSE;
  return added_;
}

bool TSystemTray::DeleteIcon() {
  if (!added_) return false;
  NOTIFYICONDATAA record = Record(NIF_MESSAGE | NIF_ICON | NIF_TIP);
  added_ = false;
  return Shell_NotifyIconA(NIM_DELETE, &record) != FALSE;
}

void TSystemTray::SetTip(const std::string& text) {
  tip_ = text;
  NOTIFYICONDATAA record = Record(NIF_TIP);
  if (added_) Shell_NotifyIconA(NIM_MODIFY, &record);
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
