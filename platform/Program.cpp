#include "platform/Program.h"

#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include <csignal>
#include <exception>
#include <utility>

#include "core/trace/FunStatus.h"
#include "core/catalogue/PathParts.h"
#include "platform/WinText.h"

TProgram Program;

namespace {

// abort() raises this signal before it ends the process; a handler that never
// returns gets the report in first.
void AbortSignalHandler(int) { TerminateProgramFun(); }

}  // namespace

TProgram::TProgram() {
  std::set_terminate(TerminateProgramFun);
  std::signal(SIGABRT, AbortSignalHandler);
  SetLastError(0);
  OleInitialize(nullptr);
}

TProgram::~TProgram() {
  SetLastError(0);
  OleUninitialize();
}

std::string TProgram::GetProgramPath() { return GetProgramArgument(0); }

std::string TProgram::GetProgramDirectory() { return DirectoryPart(GetProgramPath()); }

std::string TProgram::GetProgramFileName() { return FileNamePart(GetProgramPath()); }

std::string TProgram::GetProgramArgument(int index) {
  if (index == 0) {
    // The module's own path is argument 0 in full, whatever the caller typed.
    char path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(path, length);
  }
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  const TLocalMemoryHolder argumentsMemory(arguments);
  std::string argument;
  if (arguments && index >= 0 && index < count) argument = WideToAnsi(arguments[index]);
  return argument;
}

std::string TProgram::GetPathInProgramDirectory(const std::string& fileName) {
  std::string directory = GetProgramDirectory();
  if (!directory.empty() && directory.back() != '\\') directory += '\\';
  return directory + fileName;
}

bool TProgram::IsProgramRunning(const std::string& name) {
  SetLastError(0);
  THandleHolder mutex(CreateMutexA(nullptr, TRUE, ("Mutex_ProgramInstance_" + name).c_str()));
  if (mutex.Valid() && GetLastError() == ERROR_ALREADY_EXISTS) return true;
  mutex_ = std::move(mutex);
  return false;
}

void TProgram::CloseProgramMutex() {
  mutex_.Reset();
}

void TerminateProgramFun() {
  static const char* const kDescription = "Abort intercepted.\r\nProgram must be terminated.";
  FunStatContext.Raise(__FILE__, "TerminateProgramFun", __LINE__, Error, kDescription, "", "", 0);
  FunStatContext.SetShowContext(__FILE__, "TerminateProgramFun", __LINE__);
  FunStatContext.ShowStatus(kDescription);
  FunStatContext.Reset(Perfect);
  ExitProcess(1);
}

bool IsInstallMode(const std::string& programFileName, const std::string& argument1) {
  return SameTextAscii(programFileName, "Install.exe") || SameTextAscii(argument1, "/Uninstall");
}
