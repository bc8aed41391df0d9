// The process-wide program helper: COM for the process, the terminate handler,
// the program's paths and arguments, and the single-instance mutex.
#pragma once

#include <windows.h>

#include <string>

#include "platform/HandleHolders.h"

class TProgram {
 public:
  TProgram();
  ~TProgram();
  TProgram(const TProgram&) = delete;
  TProgram& operator=(const TProgram&) = delete;

  static std::string GetProgramPath();
  static std::string GetProgramDirectory();
  static std::string GetProgramFileName();
  static std::string GetProgramArgument(int index);
  static std::string GetPathInProgramDirectory(const std::string& fileName);

  bool IsProgramRunning(const std::string& name);
  void CloseProgramMutex();

 private:
  THandleHolder mutex_;
};

extern TProgram Program;

// The handler the runtime calls when it must terminate abnormally: an
// exception that nothing catches, or abort() (through SIGABRT).
[[noreturn]] void TerminateProgramFun();

// True when the program runs as its own installer.
bool IsInstallMode(const std::string& programFileName, const std::string& argument1);
