// The install window: installs the program from its distribution folder, or
// uninstalls it when started with "/Uninstall".
#pragma once

#include <string>

#include "platform/Widgets.h"

class TInstallForm : public TDialogWindow {
 public:
  bool Create();
  void Prepare(const std::string& name, const std::string& description, const std::string& version);
  void Install();
  void Uninstall();

  std::string ProgramName;
  TLabel MainPanel, DescriptionLabel, VersionLabel, InstructionsLabel, InstallToLabel;
  TControl ReadmeMemo, InstallToEdit;

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  bool IsUninstallMode() const;
  void BrowseButtonClick();
  void InstallButtonClick();
  void Close();
};
