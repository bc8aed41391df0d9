#include "platform/InstanceSignal.h"

#include "core/control/WindowMessages.h"

namespace {

// 0 when the system could not register it.
UINT ShowMainWindowMessage() {
  static const UINT message = RegisterWindowMessageA(kShowMainWindowMessageName);
  return message;
}

}  // namespace

bool IsShowMainWindowMessage(UINT message) { return message != 0 && message == ShowMainWindowMessage(); }

void AcceptShowMainWindowMessage(HWND mainWindow) {
  if (ShowMainWindowMessage()) ChangeWindowMessageFilterEx(mainWindow, ShowMainWindowMessage(), MSGFLT_ALLOW, nullptr);
}

void AskRunningInstanceToShow(const char* mainWindowCaption) {
  const UINT message = ShowMainWindowMessage();
  if (!message) return;
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, "#32770", mainWindowCaption)) != nullptr) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    // Only the program that holds the foreground may hand it on.
    AllowSetForegroundWindow(processId);
    PostMessageA(window, message, 0, 0);
  }
}
