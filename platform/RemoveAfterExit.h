// Removing the running program's own file once it has ended. A program cannot
// delete the file it runs from, so a short helper does it: a copy of the
// program in the temporary folder that waits for the processes, deletes the
// file and its folder when that is empty, and vanishes itself when it ends.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Starts the helper for the file; it waits for the current process and for
// the other processes given (handles the caller keeps open until the call returns).
bool StartRemovalAfterExit(const std::string& file, const std::vector<HANDLE>& otherProcesses);

// True when this run is the helper (argument 1 "/RemoveAfterExit").
bool IsRemovalAfterExitRun();
// The helper's work; its exit code, 0 when the file and the folder are gone.
int RunRemovalAfterExit();
