#include "app/Help.h"

#include <shellapi.h>
#include <shlwapi.h>

#include "platform/Program.h"

void OpenProgramHelp(HWND owner, unsigned context) {
  const std::string classic = TProgram::GetPathInProgramDirectory("Help.hlp");
  if (PathFileExistsA(classic.c_str()) && WinHelpA(owner, classic.c_str(), HELP_CONTEXT, context)) return;
  const std::string page = TProgram::GetPathInProgramDirectory("Help.html");
  ShellExecuteA(owner, "open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
