// The entry point: the normal tray-resident program or the installer.
#include <windows.h>
#include <commctrl.h>

#include "app/dialogs/AboutForm.h"
#include "app/dialogs/DesktopPositionForm.h"
#include "app/dialogs/ErrorForm.h"
#include "app/dialogs/InstallForm.h"
#include "app/main/MainForm.h"
#include "app/ProgramInfo.h"
#include "core/trace/FunStatus.h"
#include "core/control/ProgramRun.h"
#include "platform/InstanceSignal.h"
#include "platform/MessageBoxes.h"
#include "platform/Program.h"
#include "platform/RemoveAfterExit.h"
#include "platform/SystemReport.h"

namespace {

// Runs the message loop until the main window closes; the exit code it posted.
// The main window, when there is one, sees its shortcut keys first.
int RunMessageLoop(TMainForm* mainForm) {
  MSG message = {};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (mainForm && mainForm->HandleShortcutKey(message)) continue;
    HWND dialog = GetAncestor(message.hwnd, GA_ROOT);
    if (dialog && IsDialogMessageA(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (IsRemovalAfterExitRun()) return RunRemovalAfterExit();
  InstallSystemReportEnvironment();
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  const bool installMode = IsInstallMode(TProgram::GetProgramFileName(), TProgram::GetProgramArgument(1));
  if (!installMode && Program.IsProgramRunning(kProgramName)) {
    // A second instance leaves quietly, once it has asked the first to show itself.
    AskRunningInstanceToShow(kProgramName);
    Program.CloseProgramMutex();
    return 0;
  }

  // Destroyed in reverse order after the run, once any pending failure was shown.
  std::unique_ptr<TMainForm> mainForm;
  std::unique_ptr<TInstallForm> installForm;
  TAboutForm aboutForm;
  TErrorForm errorForm;
  TDesktopPositionForm desktopPositionForm;
  TProgramRunHooks hooks;
  hooks.CreateWindows = [&] {
    FUN_TRACE("CreateProgramWindows");
    FUN_GUARD({
      HWND owner = nullptr;
      if (installMode) {
        installForm = std::make_unique<TInstallForm>();
        if (!installForm->Create()) return FUN_RAISE("Failed to create window.", "Install", "", GetLastError());
        owner = installForm->Handle();
      } else {
        mainForm = std::make_unique<TMainForm>();
        FUN_CALL(mainForm->Create());
        owner = mainForm->Handle();
      }
      SetMessageBoxOwner(owner);
      aboutForm.Create(owner);
      errorForm.Create(owner);
      desktopPositionForm.Create(owner);
    });
  };
  hooks.PrepareWindows = [&] {
    if (installMode)
      installForm->Prepare(kProgramName, kProgramDescription, kProgramVersion);
    else
      mainForm->BeforeRun();
  };
  hooks.RunMessageLoop = [&mainForm] { return RunMessageLoop(mainForm.get()); };
  hooks.EnsureErrorWindow = [&] {
    if (!ErrorForm) errorForm.Create(nullptr);
  };
  hooks.CloseProgramMutex = [] { Program.CloseProgramMutex(); };
  return RunProgram(hooks);
}
