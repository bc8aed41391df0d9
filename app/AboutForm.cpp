#include "app/AboutForm.h"

#include "resources/resource.h"

bool TAboutForm::Create(HWND owner) {
  if (!CreateModeless(IDD_ABOUT, owner)) return false;
  ProgramNameLabel.Bind(*this, IDC_ABOUT_PROGRAM_NAME);
  ProgramVersionLabel.Bind(*this, IDC_ABOUT_PROGRAM_VERSION);
  return true;
}

void TAboutForm::ShowAbout() { ShowModalWindow(GetWindow(handle_, GW_OWNER)); }

bool TAboutForm::OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
  if (message == WM_CLOSE || (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))) {
    EndModal(IDOK);
    result = TRUE;
    return true;
  }
  return false;
}
