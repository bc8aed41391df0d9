// The install window: installs the program from its distribution folder, or
// uninstalls it when started with "/Uninstall".
#pragma once

#include <string>

#include "core/control/InstallRules.h"
#include "platform/Widgets.h"

class TInstallForm : public TDialogWindow {
 public:
  bool Create();
  void Prepare(const std::string& name, const std::string& description, const std::string& version);
  void Install();
  void Uninstall();
  // The process's exit code: 0, except in a copy restarted with administrator
  // rights that did not carry the work out (1), which so tells the copy that
  // started it.
  int ExitCode() const { return ElevatedRestart.IsRestart && !WorkDone ? 1 : 0; }

  std::string ProgramName;
  TLabel MainPanel, DescriptionLabel, VersionLabel, InstructionsLabel, InstallToLabel;
  TEdit ReadmeMemo, InstallToEdit;
  TButton BrowseButton, InstallButton, CancelButton;

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  enum class TElevationStep { NotNeeded, Declined, DoneElevated };
  bool IsUninstallMode() const;
  // Runs the install or uninstall in a copy with administrator rights when this
  // one cannot write the folder or the uninstall entry.
  TElevationStep RunElevatedWhenNeeded();
  void StartInstalledProgram(const std::string& exe);
  void BrowseButtonClick();
  void InstallButtonClick();
  void CancelButtonClick();
  void Close();

  TElevatedRestart ElevatedRestart;
  bool WorkDone = false;
};
