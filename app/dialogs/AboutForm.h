// The About window: the program's name and version, its makers and their site.
#pragma once

#include "platform/Widgets.h"

class TAboutForm : public TDialogWindow {
 public:
  bool Create(HWND owner);
  TLabel ProgramNameLabel, ProgramVersionLabel, AuthorLabel, ProgramsLabel;
  // Where the options, skins and error log are kept.
  TLabel SettingsFolderLabel;
  TButton VisitMySiteButton, LicenseTermsButton, ContactMeButton, OkayButton;
  // Shows the window modally.
  void Dialog();

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  void FormActivate();
  void VisitMySiteButtonClick();
  void LicenseTermsButtonClick();
  void ContactMeButtonClick();
  void OkayButtonClick();
};

extern TAboutForm* AboutForm;
