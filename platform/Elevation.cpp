#include "platform/Elevation.h"

#include <shellapi.h>

#include "core/trace/FunStatus.h"
#include "platform/HandleHolders.h"
#include "platform/Program.h"

TElevatedRun RunElevatedAndWait(HWND owner, const std::string& parameters, DWORD& exitCode) {
  FUN_TRACE("RunElevatedAndWait");
  TElevatedRun outcome = TElevatedRun::NotStarted;
  exitCode = 1;
  FUN_GUARD({
    const std::string program = TProgram::GetProgramPath();
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = "runas";
    info.lpFile = program.c_str();
    info.lpParameters = parameters.c_str();
    info.nShow = SW_SHOWNORMAL;
    SetLastError(0);
    if (!ShellExecuteExA(&info) || !info.hProcess) {
      const DWORD error = GetLastError();
      if (error == ERROR_CANCELLED) {
        outcome = TElevatedRun::Declined;
        return;
      }
      return FUN_RAISE("Failed to run file.", program, parameters, error);
    }
    const THandleHolder copy(info.hProcess);
    outcome = TElevatedRun::Finished;
    // The copy shows the windows from now on; let it come to the front.
    AllowSetForegroundWindow(GetProcessId(info.hProcess));
    if (owner) ShowWindow(owner, SW_HIDE);
    bool quit = false;
    int quitCode = 0;
    while (MsgWaitForMultipleObjects(1, &info.hProcess, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
      MSG message;
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
          quit = true;
          quitCode = static_cast<int>(message.wParam);
          continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
      }
    }
    // A quit request that came meanwhile is kept for the message loop.
    if (quit) PostQuitMessage(quitCode);
    GetExitCodeProcess(info.hProcess, &exitCode);
  });
  return outcome;
}

HANDLE OpenProcessForWaiting(unsigned long processId) {
  return processId ? OpenProcess(SYNCHRONIZE, FALSE, processId) : nullptr;
}
