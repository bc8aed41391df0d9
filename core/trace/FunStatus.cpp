#include "core/trace/FunStatus.h"

#include <cstdio>
#include <cstdlib>

TFunStatContext FunStatContext;

TReportEnvironment& ReportEnvironment() {
  static TReportEnvironment environment;
  return environment;
}

TFunStatContext::TFunStatContext() {
  Reset(Perfect);
  ResetUserInfo();
}

TFunStatContext::TFunStatContext(const TFunStatContext& other) { *this = other; }

TFunStatContext& TFunStatContext::operator=(const TFunStatContext& other) {
  if (this == &other) return *this;
  Status = other.Status;
  File = other.File;
  Function = other.Function;
  Line = other.Line;
  Description = other.Description;
  Parameter1 = other.Parameter1;
  Parameter2 = other.Parameter2;
  SystemErrorCode = other.SystemErrorCode;
  UserCode = other.UserCode;
  UserText = other.UserText;
  UserInt = other.UserInt;
  UserReal = other.UserReal;
  return *this;
}

void TFunStatContext::Reset(int32_t status) {
  Status = status;
  File.clear();
  Function.clear();
  Description.clear();
  Parameter1.clear();
  Parameter2.clear();
  Line = 0;
  SystemErrorCode = 0;
}

void TFunStatContext::ResetUserInfo() {
  UserCode = 0;
  UserText.clear();
  UserInt = 0;
  UserReal = 0;
}

void TFunStatContext::Begin(const std::string& file, const std::string& function, int line) {
  Status = BeginFunctionError;
  File = file;
  Function = function;
  Line = line;
  Description.clear();
  Parameter1.clear();
  Parameter2.clear();
  SystemErrorCode = 0;
}

void TFunStatContext::Raise(const std::string& file, const std::string& function, int line,
                            int32_t status, const std::string& description,
                            const std::string& parameter1, const std::string& parameter2,
                            uint32_t systemErrorCode) {
  File = file;
  Function = function;
  Line = line;
  Status = status;
  Description = description;
  Parameter1 = parameter1;
  Parameter2 = parameter2;
  SystemErrorCode = systemErrorCode;
}

void TFunStatContext::SetShowContext(const std::string& file, const std::string& function,
                                     int line) {
  ShowFile = file;
  ShowFunction = function;
  ShowLine = line;
}

std::string TFunStatContext::GetStatusText(int32_t status) {
  switch (status) {
    case Perfect: return "Perfect";
    case Warning: return "Warning";
    case Error: return "Error";
    case BeginFunctionError: return "Begin function error";
    case Panic: return "Panic";
    case Catastrophe: return "Catastrophe";
    default: return "Unknown function status";
  }
}

std::string FileNamePartOfSourcePath(const std::string& path) {
  const size_t cut = path.find_last_of("\\/:");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

namespace {

std::string ShortestReal(double value) {
  char buffer[64];
  for (int precision = 1; precision <= 17; ++precision) {
    std::snprintf(buffer, sizeof buffer, "%.*g", precision, value);
    if (std::strtod(buffer, nullptr) == value) break;
  }
  return buffer;
}

template <class T>
T Ask(const std::function<T()>& source, T fallback) {
  return source ? source() : fallback;
}

}  // namespace

std::string TFunStatContext::GetReportText() const {
  std::string text;
  try {
    const TReportEnvironment& env = ReportEnvironment();
    text += "\r\nRAISE CONTEXT\r\n* Status: " + GetStatusText(Status);
    if (Status == Catastrophe)
      text += ": CATASTROPHIC FAILURE!!! It is highly recommended to terminate the program immediately!";
    text += "\r\n* File: \"" + FileNamePartOfSourcePath(File) + "\"\r\n* Function: \"" + Function +
            "\"\r\n* Line: " + std::to_string(Line);
    text += "\r\n* Description: \"" + Description + "\"";
    if (!Parameter1.empty()) text += "\r\n* Parameter 1: \"" + Parameter1 + "\"";
    if (!Parameter2.empty()) text += "\r\n* Parameter 2: \"" + Parameter2 + "\"";
    if (SystemErrorCode != 0) {
      text += "\r\n* System error code: " + std::to_string(SystemErrorCode);
      const std::string message =
          env.SystemErrorText ? env.SystemErrorText(SystemErrorCode) : std::string();
      text += "\r\n* System error description: \"" + message + "\"";
    }
    text += "\r\n\r\nSHOW CONTEXT\r\n* File: \"" + FileNamePartOfSourcePath(ShowFile) +
            "\"\r\n* Function: \"" + ShowFunction + "\"\r\n* Line: " + std::to_string(ShowLine);
    text += "\r\n\r\nINFO\r\n* Time: " + Ask<std::string>(env.LongDateText, "") + " (" +
            std::to_string(Ask<int>(env.DayOfYear, 0)) + ")" + " | " +
            Ask<std::string>(env.LongTimeText, "") + " (" +
            std::to_string(Ask<int>(env.HundredSeconds, 0)) + ")";
    text += "\r\n* Program: " + Ask<std::string>(env.ProgramPath, "") +
            "\r\n* Recursive attempts: " + std::to_string(Ask<int>(env.RecursionCounter, 0));
    text += "\r\n\r\nUSER INFO\r\n* UserCode: " + std::to_string(UserCode) +
            "\r\n* UserText: " + UserText + "\r\n* UserInt: " + std::to_string(UserInt) +
            "\r\n* UserReal: " + ShortestReal(UserReal);
  } catch (...) {
    // A partial report is better than none.
  }
  return text;
}

bool TFunStatContext::ShowStatus(const std::string& description, bool* noErrors) {
  const TReportEnvironment& env = ReportEnvironment();
  if (!env.ShowReport) {
    if (noErrors) *noErrors = false;
    if (env.PlainMessage)
      env.PlainMessage("The error-dialog form is not created. You must create it.", "Error");
    return false;
  }
  try {
    return env.ShowReport(GetStatusText(Status), description, noErrors, GetReportText());
  } catch (...) {
    return false;
  }
}

void TFunStatContext::OnApplicationException(const std::string& message) {
  static const char* const kFunction = "TFunStatContext::OnApplicationException";
  const std::string description = "Unhandled error.\r\n" + message;
  const TReportEnvironment& env = ReportEnvironment();
  const uint32_t code = env.LastErrorCode ? env.LastErrorCode() : 0;
  Raise(__FILE__, kFunction, __LINE__, Error, description, "", "", code);
  SetShowContext(__FILE__, kFunction, __LINE__);
  ShowStatus(description);
  Reset(Perfect);
}

TTrace::TTrace(const char* file, const char* function, int line) : file_(file), function_(function) {
  FunStatContext.Begin(file, function, line);
}

TTrace::~TTrace() { FunStatContext = Local; }

void TTrace::Raise(int line, const std::string& description, const std::string& parameter1,
                   const std::string& parameter2, uint32_t systemErrorCode, int32_t status) {
  Local.Raise(file_, function_, line, status, description, parameter1, parameter2,
              systemErrorCode);
}

bool TTrace::CalleeFailed() {
  if (!FunStatContext.Failed()) return false;
  Local = FunStatContext;
  return true;
}

void TTrace::RecordException(int line, const std::string& description) {
  // The language records no throw point, so the parameters say so.
  Local.Raise(file_, function_, line, Error, description, "", "0", 0);
}

void TTrace::ShowIfFailed(int line, const std::string& message) {
  if (Local.Failed()) {
    Local.SetShowContext(file_, "", line);
    Local.ShowStatus(message);
  }
  Local.Reset(Perfect);
}
