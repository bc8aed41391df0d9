#include "platform/SystemReport.h"

#include <windows.h>

#include "core/FunStatus.h"
#include "platform/Program.h"

std::string SystemErrorMessage(unsigned long code) {
  char* buffer = nullptr;
  const DWORD length =
      FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, code, 0, reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
  std::string text(buffer ? buffer : "", length);
  LocalFree(buffer);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

std::string LocalLongDateText() {
  char buffer[256] = {};
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, nullptr, nullptr, buffer, sizeof buffer);
  return buffer;
}

std::string LocalLongTimeText() {
  char separator[8] = {};
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIME, separator, sizeof separator);
  char buffer[128] = {};
  GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, buffer, sizeof buffer);
  // The report always separates hours, minutes and seconds with ':'.
  std::string text = buffer;
  const std::string localSeparator = separator;
  if (!localSeparator.empty() && localSeparator != ":") {
    for (size_t at = text.find(localSeparator); at != std::string::npos; at = text.find(localSeparator, at + 1))
      text.replace(at, localSeparator.size(), ":");
  }
  return text;
}

namespace {

int LocalDayOfYear() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  static const int kDaysBefore[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  const int year = now.wYear;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return kDaysBefore[now.wMonth - 1] + now.wDay + ((leap && now.wMonth > 2) ? 1 : 0);
}

int LocalHundredSeconds() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return (now.wHour * 3600 + now.wMinute * 60 + now.wSecond) / 100;
}

}  // namespace

void InstallSystemReportEnvironment() {
  TReportEnvironment& env = ReportEnvironment();
  env.SystemErrorText = [](uint32_t code) { return SystemErrorMessage(code); };
  env.LongDateText = LocalLongDateText;
  env.LongTimeText = LocalLongTimeText;
  env.DayOfYear = LocalDayOfYear;
  env.HundredSeconds = LocalHundredSeconds;
  env.ProgramPath = [] { return TProgram::GetProgramPath(); };
  env.LastErrorCode = [] { return static_cast<uint32_t>(GetLastError()); };
  env.PlainMessage = [](const std::string& text, const std::string& caption) {
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK);
  };
}
