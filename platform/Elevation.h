// Running the program again with administrator rights ("runas"), for the
// installer when it may not write where it must.
#pragma once

#include <windows.h>

#include <string>

enum class TElevatedRun {
  Finished,    // the elevated copy ran and ended; see its exit code
  Declined,    // the user refused the rights
  NotStarted,  // the system could not start it (recorded)
};

// Starts the program with the given parameters and administrator rights. While
// the copy runs, the owner window is hidden (the copy shows its own) and its
// messages are handled. exitCode is the copy's exit code.
TElevatedRun RunElevatedAndWait(HWND owner, const std::string& parameters, DWORD& exitCode);

// The process of the given id, opened for waiting; null when it is gone.
HANDLE OpenProcessForWaiting(unsigned long processId);
