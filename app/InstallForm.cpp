#include "app/InstallForm.h"

#include "core/PathParts.h"
#include "platform/Program.h"
#include "resources/resource.h"

bool TInstallForm::Create() { return CreateModeless(IDD_INSTALL, nullptr); }

void TInstallForm::Prepare(const std::string& name, const std::string& description, const std::string& version) {
  (void)description;
  (void)version;
  // The uninstall texts win when both the file name and the argument ask.
  const bool uninstall = SameTextAscii(TProgram::GetProgramArgument(1), "/Uninstall");
  SetWindowTextA(handle_, ((uninstall ? "Uninstall " : "Install ") + name).c_str());
  ShowWindow(handle_, SW_SHOW);
}

bool TInstallForm::OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
  if (message == WM_CLOSE || (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL)) {
    DestroyWindow(handle_);
    handle_ = nullptr;
    PostQuitMessage(0);
    result = TRUE;
    return true;
  }
  return false;
}
