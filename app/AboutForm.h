// The About window.
#pragma once

#include "platform/Widgets.h"

class TAboutForm : public TDialogWindow {
 public:
  bool Create(HWND owner);
  TLabel ProgramNameLabel, ProgramVersionLabel;
  void ShowAbout();

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
};
