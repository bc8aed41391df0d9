#include "app/Help.h"

#include <shlwapi.h>

#include "core/trace/FunStatus.h"
#include "platform/Program.h"
#include "platform/RunFile.h"

bool OpenProgramHelp(HWND owner, unsigned context) {
  FUN_TRACE("OpenProgramHelp");
  bool opened = false;
  FUN_GUARD({
    const std::string classic = TProgram::GetPathInProgramDirectory("Help.hlp");
    if (PathFileExistsA(classic.c_str()) && WinHelpA(owner, classic.c_str(), HELP_CONTEXT, context)) {
      opened = true;
      return;
    }
    FUN_CALL(RunFile(owner, TProgram::GetPathInProgramDirectory("Help.html"), "", "", false, false));
    opened = true;
  });
  return opened;
}
