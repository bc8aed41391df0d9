// The entry point's order of work once this instance may run: create the
// windows, prepare them, run the message loop, report what is still pending,
// release the instance. The windows themselves belong to the platform layer.
#pragma once

#include <functional>

struct TProgramRunHooks {
  // Traced: the main (or install) window and the windows it owns. A failure
  // (GDI+ that does not start, a window that is not made) ends the start.
  std::function<void()> CreateWindows;
  // "BeforeRun" or the install window's preparation; shows its own failures.
  std::function<void()> PrepareWindows;
  // Returns the exit code the loop ended with.
  std::function<int()> RunMessageLoop;
  // Makes an error window, without an owner, when there is none yet, so that a
  // start that failed early can still be reported.
  std::function<void()> EnsureErrorWindow;
  std::function<void()> CloseProgramMutex;
};

// Trace "WinMain". A failure still pending once the loop has ended, or a start
// that failed, is shown with the default description while every window still
// exists; the windows are destroyed only after this returns. The instance
// mutex is released in every case, so that a failed start never keeps later
// starts away. Exit code: the message loop's, or 1 when the windows could not
// be created.
int RunProgram(const TProgramRunHooks& hooks);
