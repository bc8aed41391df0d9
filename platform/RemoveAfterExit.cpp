#include "platform/RemoveAfterExit.h"

#include <cstdlib>

#include "core/trace/FunStatus.h"
#include "core/control/InstallRules.h"
#include "core/catalogue/PathParts.h"
#include "platform/HandleHolders.h"
#include "platform/Program.h"
#include "platform/ProgramArguments.h"

namespace {

const char* const kRemoveAfterExitArgument = "/RemoveAfterExit";
// After its process has ended the system may still hold a file's image a moment.
const DWORD kDeleteDeadlineMs = 10000;
const DWORD kDeleteRetryMs = 100;

std::string TemporaryFolder() {
  char folder[MAX_PATH] = {};
  const DWORD length = GetTempPathA(MAX_PATH, folder);
  return length > 0 && length < MAX_PATH ? std::string(folder, length) : std::string();
}

THandleHolder InheritableDuplicate(HANDLE process) {
  HANDLE duplicate = nullptr;
  DuplicateHandle(GetCurrentProcess(), process, GetCurrentProcess(), &duplicate, SYNCHRONIZE, TRUE, 0);
  return THandleHolder(duplicate);
}

}  // namespace

bool StartRemovalAfterExit(const std::string& file, const std::vector<HANDLE>& otherProcesses) {
  FUN_TRACE("StartRemovalAfterExit");
  bool started = false;
  FUN_GUARD({
    const std::string folder = TemporaryFolder();
    if (folder.empty()) return FUN_RAISE("Can not find the temporary folder.");
    const std::string helper = folder + "Muralotrope_Removal_" + std::to_string(GetCurrentProcessId()) + ".exe";
    SetLastError(0);
    if (!CopyFileA(TProgram::GetProgramPath().c_str(), helper.c_str(), FALSE))
      return FUN_RAISE("Failed to copy file.", TProgram::GetProgramPath(), helper, GetLastError());
    // The helper inherits this handle; when the helper ends, the last handle
    // closes and the system deletes the copy.
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    THandleHolder selfDeleting(CreateFileA(helper.c_str(), GENERIC_READ | DELETE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                           &inherit, OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    std::vector<THandleHolder> waits;
    waits.push_back(InheritableDuplicate(GetCurrentProcess()));
    for (HANDLE process : otherProcesses) waits.push_back(InheritableDuplicate(process));
    std::string commandLine = QuoteArgument(helper) + " " + kRemoveAfterExitArgument + " " + QuoteArgument(file);
    for (const THandleHolder& wait : waits)
      if (wait.Valid()) commandLine += " " + std::to_string(reinterpret_cast<uintptr_t>(wait.Get()));
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    SetLastError(0);
    started = CreateProcessA(helper.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(),
                             &startup, &process) != FALSE;
    const DWORD error = GetLastError();
    const THandleHolder helperThread(process.hThread), helperProcess(process.hProcess);
    // Ours go now: the helper has inherited its own copies.
    waits.clear();
    selfDeleting.Reset();
    if (!started) {
      DeleteFileA(helper.c_str());
      return FUN_RAISE("Failed to run file.", helper, "", error);
    }
  });
  return started;
}

bool IsRemovalAfterExitRun() { return SameTextAscii(TProgram::GetProgramArgument(1), kRemoveAfterExitArgument); }

int RunRemovalAfterExit() {
  FUN_TRACE("RunRemovalAfterExit");
  bool removed = false;
  FUN_GUARD({
    const std::vector<std::string> arguments = ProgramArguments();
    if (arguments.size() < 4) return FUN_RAISE("Missing arguments.");
    const std::string file = arguments[2];
    std::vector<HANDLE> processes;
    for (size_t i = 3; i < arguments.size() && processes.size() < MAXIMUM_WAIT_OBJECTS; ++i)
      processes.push_back(
          reinterpret_cast<HANDLE>(static_cast<uintptr_t>(std::strtoull(arguments[i].c_str(), nullptr, 10))));
    SetLastError(0);
    if (WaitForMultipleObjects(static_cast<DWORD>(processes.size()), processes.data(), TRUE, INFINITE) == WAIT_FAILED)
      return FUN_RAISE("Failed to wait for the program to end.", file, "", GetLastError());
    const ULONGLONG deadline = GetTickCount64() + kDeleteDeadlineMs;
    while (!DeleteFileA(file.c_str()) && GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES &&
           GetTickCount64() < deadline)
      Sleep(kDeleteRetryMs);
    // Only an empty folder goes: whatever else is in it was not the program's to delete.
    RemoveDirectoryA(DirectoryPart(file).c_str());
    removed = GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES;
  });
  return removed ? 0 : 1;
}
