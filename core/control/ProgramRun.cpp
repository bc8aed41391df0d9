#include "core/control/ProgramRun.h"

#include "core/trace/FunStatus.h"

int RunProgram(const TProgramRunHooks& hooks) {
  bool started = false;
  int loopExitCode = 0;
  {
    FUN_TRACE("WinMain");
    FUN_GUARD({
      FUN_CALL(hooks.CreateWindows());
      started = true;
      hooks.PrepareWindows();
      loopExitCode = hooks.RunMessageLoop();
    });
    if (trace_.Failed()) hooks.EnsureErrorWindow();
    FUN_SHOW("");
  }
  hooks.CloseProgramMutex();
  return started ? loopExitCode : 1;
}
