#include "platform/ProgramArguments.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/HandleHolders.h"
#include "platform/WinText.h"

std::vector<std::string> ProgramArguments() {
  std::vector<std::string> arguments;
  int count = 0;
  LPWSTR* split = CommandLineToArgvW(GetCommandLineW(), &count);
  const TLocalMemoryHolder splitMemory(split);
  for (int i = 0; split && i < count; ++i) arguments.push_back(WideToAnsi(split[i]));
  return arguments;
}
