#include "platform/MessageBoxes.h"

#include <windows.h>

namespace {
HWND Owner = nullptr;
}

void SetMessageBoxOwner(void* window) { Owner = static_cast<HWND>(window); }

int ShowMessageBox(const std::string& caption, const std::string& text, unsigned flags) {
  const int result = MessageBoxA(Owner, text.c_str(), caption.c_str(), flags | MB_TASKMODAL);
  if (result == 0) WarningBeep();
  if (result == IDOK || result == IDYES) return 1;
  if (result == IDNO) return 7;
  return 2;
}

void ShowMessage(const std::string& text) { ShowMessageBox("Message", text, MB_OK | MB_ICONINFORMATION); }
void ShowWarning(const std::string& text) { ShowMessageBox("Warning", text, MB_OK | MB_ICONEXCLAMATION); }
void ShowError(const std::string& text) { ShowMessageBox("Error", text, MB_OK | MB_ICONSTOP); }
bool ShowQuery(const std::string& text) {
  return ShowMessageBox("Query", text, MB_YESNO | MB_ICONQUESTION) == 1;
}
void Beep() { MessageBeep(0); }
void WarningBeep() { MessageBeep(MB_ICONEXCLAMATION); }

bool IsWindows2000OrLater() {
  // GetVersion reports the major version in the low byte.
  return LOBYTE(LOWORD(GetVersion())) > 4;
}
