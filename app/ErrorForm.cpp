#include "app/ErrorForm.h"

#include "app/Help.h"
#include "core/FunStatus.h"
#include "platform/LogFile.h"
#include "platform/MessageBoxes.h"
#include "platform/SettingsDirectory.h"
#include "platform/WinText.h"
#include "platform/WindowPlacement.h"
#include "resources/resource.h"

TErrorForm* ErrorForm = nullptr;

TErrorForm::~TErrorForm() {
  // Reports made while the windows are torn down go to the plain message box.
  if (ErrorForm != this) return;
  ErrorForm = nullptr;
  TReportEnvironment& env = ReportEnvironment();
  env.ShowReport = nullptr;
  env.RecursionCounter = nullptr;
}

bool TErrorForm::Create(HWND owner) {
  if (!CreateModeless(IDD_ERROR, owner)) return false;
  ErrorForm = this;
  TReportEnvironment& env = ReportEnvironment();
  env.RecursionCounter = [] { return ErrorForm ? ErrorForm->RecursionCounter() : 0; };
  env.ShowReport = [](const std::string& caption, const std::string& description, bool* noErrors,
                      const std::string& report) {
    return ErrorForm->ShowReport(caption, description, noErrors, report);
  };
  return true;
}

void TErrorForm::SetRecursionLabel(const std::string& text) {
  SetDlgItemTextA(handle_, IDC_ERROR_RECURSION, ("Recursive attempts = " + text).c_str());
}

std::string TErrorForm::MemoText() const { return WindowText(GetDlgItem(handle_, IDC_ERROR_MEMO)); }

bool TErrorForm::ShowReport(const std::string& caption, const std::string& description, bool* noErrors,
                            const std::string& report) {
  SetWindowTextA(handle_, caption.c_str());
  if (recursionCounter_ > 0) {
    // A report is on screen already; this one only counts.
    ++recursionCounter_;
    SetRecursionLabel(std::to_string(recursionCounter_ - 1));
    return true;
  }
  recursionCounter_ = 1;
  SetRecursionLabel("None");
  INT_PTR modalResult = IDCANCEL;
  try {
    const std::string shown = description.empty() ? "Failed to perform." : description;
    SetDlgItemTextA(handle_, IDC_ERROR_MEMO, ("DESCRIPTION\r\n" + shown + "\r\n" + report).c_str());
    if (!IsWindowVisible(handle_)) {
      HWND owner = GetWindow(handle_, GW_OWNER);
      // Centre on the main window when it is on screen.
      CentreOnOwner(handle_, owner);
      SetFocus(GetDlgItem(handle_, IDC_ERROR_OKAY));
      // Every window of the program waits for the report, not only its owner.
      modalResult = ShowModalWindow(owner, true);
    }
  } catch (...) {
  }
  recursionCounter_ = 0;
  const bool accepted = modalResult == IDOK || modalResult == IDYES;
  if (noErrors) *noErrors = modalResult == IDYES;
  return accepted;
}

bool TErrorForm::WriteLog() {
  return AppendToLogFile(GetPathInSettingsDirectory("Errors.log"), MemoText(), kLogTruncateAbove);
}

bool TErrorForm::OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
  if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) {
    SetFocus(GetDlgItem(handle_, IDC_ERROR_OKAY));
    return false;
  }
  if (message == WM_CLOSE) {
    EndModal(IDCANCEL);
    result = TRUE;
    return true;
  }
  if (message != WM_COMMAND) return false;
  result = TRUE;
  switch (LOWORD(wParam)) {
    case IDC_ERROR_OKAY: EndModal(IDOK); return true;
    case IDC_ERROR_OKAY_NO_ERRORS: EndModal(IDYES); return true;
    case IDCANCEL:
    case IDC_ERROR_CANCEL: EndModal(IDCANCEL); return true;
    case IDC_ERROR_TERMINATE: ExitProcess(1);
    case IDC_ERROR_LOG:
      if (WriteLog()) ::Beep();
      return true;
    case IDC_ERROR_HELP: OpenProgramHelp(handle_, 0); return true;
    default: return false;
  }
}
