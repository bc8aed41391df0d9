// The entry point: the normal tray-resident program or the installer.
#include <windows.h>
#include <commctrl.h>

#include "app/AboutForm.h"
#include "app/DesktopPositionForm.h"
#include "app/ErrorForm.h"
#include "app/InstallForm.h"
#include "app/MainForm.h"
#include "app/ProgramInfo.h"
#include "core/FunStatus.h"
#include "platform/MessageBoxes.h"
#include "platform/Program.h"
#include "platform/SystemReport.h"

namespace {

// Runs the message loop until the main window closes.
void RunMessageLoop() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (MainForm && MainForm->HandleShortcutKey(message)) continue;
    HWND dialog = GetAncestor(message.hwnd, GA_ROOT);
    if (dialog && IsDialogMessageA(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  InstallSystemReportEnvironment();
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  std::unique_ptr<TMainForm> mainForm;
  std::unique_ptr<TInstallForm> installForm;
  TAboutForm aboutForm;
  TErrorForm errorForm;
  TDesktopPositionForm desktopPositionForm;
  {
    FUN_TRACE("WinMain");
    FUN_GUARD({
      const bool installMode = IsInstallMode(TProgram::GetProgramFileName(), TProgram::GetProgramArgument(1));
      if (!installMode && Program.IsProgramRunning(kProgramName)) {
        // A second instance leaves quietly.
        Program.CloseProgramMutex();
        ExitProcess(0);
      }
      HWND owner = nullptr;
      if (installMode) {
        installForm = std::make_unique<TInstallForm>();
        installForm->Create();
        owner = installForm->Handle();
      } else {
        mainForm = std::make_unique<TMainForm>();
        mainForm->Create();
        owner = mainForm->Handle();
      }
      SetMessageBoxOwner(owner);
      aboutForm.Create(owner);
      errorForm.Create(owner);
      desktopPositionForm.Create(owner);
      if (installMode)
        installForm->Prepare(kProgramName, kProgramDescription, kProgramVersion);
      else
        mainForm->BeforeRun();
      RunMessageLoop();
    });
    FUN_SHOW("");
  }
  Program.CloseProgramMutex();
  return 0;
}
