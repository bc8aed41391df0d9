// The notification-area icon: add, tip, remove, and the mouse callback that
// shows the owner window or opens its popup menu.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

class TSystemTray {
 public:
  ~TSystemTray();

  HWND Owner = nullptr;
  HICON Icon = nullptr;
  HMENU PopupMenu = nullptr;

  bool AddIcon();
  bool DeleteIcon();
  void SetTip(const std::string& text);
  const std::string& Tip() const { return tip_; }
  void ShowMainWindow();
  void HideMainWindow();
  void HandleTrayMessage(LPARAM mouseEvent);

 private:
  NOTIFYICONDATAW Record(UINT flags) const;
  std::string tip_;
  bool added_ = false;
};
