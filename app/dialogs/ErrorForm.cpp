#include "app/dialogs/ErrorForm.h"

#include "app/Help.h"
#include "core/trace/FunStatus.h"
#include "platform/LogFile.h"
#include "platform/MessageBoxes.h"
#include "platform/SettingsDirectory.h"
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
  MainMemo.Bind(*this, IDC_ERROR_MEMO);
  OkayButton.Bind(*this, IDC_ERROR_OKAY);
  OkayNoErrorsButton.Bind(*this, IDC_ERROR_OKAY_NO_ERRORS);
  CancelButton.Bind(*this, IDC_ERROR_CANCEL);
  TerminateButton.Bind(*this, IDC_ERROR_TERMINATE);
  LogButton.Bind(*this, IDC_ERROR_LOG);
  HelpButton.Bind(*this, IDC_ERROR_HELP);
  RecursionLabel.Bind(*this, IDC_ERROR_RECURSION);
  EscapeButton = &CancelButton;
  OkayButton.OnClick = [this] { EndModal(IDOK); };
  OkayNoErrorsButton.OnClick = [this] { EndModal(IDYES); };
  CancelButton.OnClick = [this] { EndModal(IDCANCEL); };
  // At once: no clean-up, nothing saved.
  TerminateButton.OnClick = [] { ExitProcess(1); };
  LogButton.OnClick = [this] { LogButtonClick(); };
  HelpButton.OnClick = [this] { OpenProgramHelp(handle_, 0); };

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
  RecursionLabel.SetText("Recursive attempts = " + text);
}

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
    MainMemo.SetText("DESCRIPTION\r\n" + shown + "\r\n" + report);
    if (!IsWindowVisible(handle_)) {
      HWND owner = GetWindow(handle_, GW_OWNER);
      // Centre on the main window when it is on screen.
      CentreOnOwner(handle_, owner);
      OkayButton.SetFocus();
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

void TErrorForm::FormActivate() { OkayButton.SetFocus(); }

void TErrorForm::LogButtonClick() {
  if (WriteLog()) ::Beep();
}

bool TErrorForm::OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
  switch (message) {
    case WM_ACTIVATE:
      // The dialog manager goes on with its own activation.
      if (LOWORD(wParam) != WA_INACTIVE) FormActivate();
      return false;
    case WM_CLOSE:
      EndModal(IDCANCEL);
      result = TRUE;
      return true;
    default: return false;
  }
}
