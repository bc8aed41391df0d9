#include "platform/SystemReport.h"

#include <windows.h>

#include "core/trace/FunStatus.h"
#include "core/control/TimeHelpers.h"
#include "platform/HandleHolders.h"
#include "platform/LocalTime.h"
#include "platform/Program.h"

std::string SystemErrorMessage(unsigned long code) {
  char* buffer = nullptr;
  const DWORD length =
      FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, code, 0, reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
  const TLocalMemoryHolder bufferMemory(buffer);
  std::string text(buffer ? buffer : "", length);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

void InstallSystemReportEnvironment() {
  TReportEnvironment& env = ReportEnvironment();
  env.SystemErrorText = [](uint32_t code) { return SystemErrorMessage(code); };
  env.LongDateText = [] { return LocalLongDateText(DecodeDateTime(GetLocalDateTime())); };
  env.LongTimeText = [] { return LocalLongTimeText(DecodeDateTime(GetLocalDateTime())); };
  env.DayOfYear = [] { return GetDayOfYear(GetLocalDateTime()); };
  env.HundredSeconds = [] { return GetHundredSeconds(GetLocalDateTime()); };
  env.ProgramPath = [] { return TProgram::GetProgramPath(); };
  env.LastErrorCode = [] { return static_cast<uint32_t>(GetLastError()); };
  env.PlainMessage = [](const std::string& text, const std::string& caption) {
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK);
  };
}
