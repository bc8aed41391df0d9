#include "platform/RunFile.h"

#include <shellapi.h>

#include "core/trace/FunStatus.h"
#include "core/composition/WallpaperFiles.h"
#include "platform/MessageBoxes.h"

bool RunFile(HWND owner, const std::string& file, const std::string& parameters,
             const std::string& directory, bool quoteParameters, bool minimised) {
  FUN_TRACE("RunFile");
  bool opened = false;
  FUN_GUARD({
    if (file.empty()) {
      ShowError("The name of the file is empty.");
      return;
    }
    const std::string parametersText = RunFileParametersText(parameters, quoteParameters);
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_CONNECTNETDRV;
    info.hwnd = owner;
    info.lpFile = file.c_str();
    info.lpParameters = parametersText.empty() ? nullptr : parametersText.c_str();
    info.lpDirectory = directory.empty() ? nullptr : directory.c_str();
    info.nShow = minimised ? SW_SHOWMINNOACTIVE : SW_SHOWNORMAL;
    SetLastError(0);
    if (!ShellExecuteExA(&info)) {
      FUN_RAISE("Failed to run file.", file, "", GetLastError());
      return;
    }
    opened = true;
  });
  return opened;
}
