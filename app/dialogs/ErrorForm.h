// The error window: shows a failure report, appends it to "Errors.log" on
// request, and counts the reports attempted while one is on screen.
#pragma once

#include <string>

#include "platform/Widgets.h"

class TErrorForm : public TDialogWindow {
 public:
  static constexpr unsigned kLogTruncateAbove = 10000;
  ~TErrorForm() override;

  // The owner is the main (or install) window, on which the report is centred.
  bool Create(HWND owner);
  bool ShowReport(const std::string& caption, const std::string& description, bool* noErrors,
                  const std::string& report);
  bool WriteLog();
  int RecursionCounter() const { return recursionCounter_; }
  std::string MemoText() const { return MainMemo.Text(); }

  TEdit MainMemo;
  TButton OkayButton, OkayNoErrorsButton, CancelButton, TerminateButton, LogButton, HelpButton;
  TLabel RecursionLabel;

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  void FormActivate();
  void LogButtonClick();
  void SetRecursionLabel(const std::string& text);
  int recursionCounter_ = 0;
};

extern TErrorForm* ErrorForm;
