#include "platform/LocalTime.h"

#include "platform/WinText.h"

namespace {

SYSTEMTIME PartsToSystemTime(const TDateParts& parts) {
  SYSTEMTIME time = {};
  time.wYear = static_cast<WORD>(parts.Year);
  time.wMonth = static_cast<WORD>(parts.Month);
  time.wDay = static_cast<WORD>(parts.Day);
  time.wDayOfWeek = static_cast<WORD>(parts.DayOfWeek);
  time.wHour = static_cast<WORD>(parts.Hour);
  time.wMinute = static_cast<WORD>(parts.Minute);
  time.wSecond = static_cast<WORD>(parts.Second);
  time.wMilliseconds = static_cast<WORD>(parts.Millisecond);
  return time;
}

// The wide calls throughout: the narrow ones give the locale's legacy code
// page, not the program's UTF-8.
std::string LocaleInfo(LCTYPE type) {
  wchar_t buffer[128] = {};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 128) == 0) return "";
  return WideBufferToAnsi(buffer);
}

}  // namespace

double SystemTimeToDateTime(const SYSTEMTIME& time) {
  TDateParts parts;
  parts.Year = time.wYear;
  parts.Month = time.wMonth;
  parts.Day = time.wDay;
  parts.Hour = time.wHour;
  parts.Minute = time.wMinute;
  parts.Second = time.wSecond;
  parts.Millisecond = time.wMilliseconds;
  return EncodeDateTime(parts).value_or(0.0);
}

SYSTEMTIME DateTimeToSystemTime(double dateTime) { return PartsToSystemTime(DecodeDateTime(dateTime)); }

double GetLocalDateTime() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return SystemTimeToDateTime(now);
}

std::string LocalLongDateText(const TDateParts& parts) {
  const SYSTEMTIME time = PartsToSystemTime(parts);
  wchar_t buffer[256] = {};
  if (GetDateFormatW(LOCALE_USER_DEFAULT, DATE_LONGDATE, &time, nullptr, buffer, 256) == 0) return "";
  return WideBufferToAnsi(buffer);
}

std::string LocalLongTimeText(const TDateParts& parts) {
  const SYSTEMTIME time = PartsToSystemTime(parts);
  // The locale's own picture with its separator replaced, so that a separator
  // that also occurs inside the text (as '.' in "a.m.") is left alone.
  const std::string picture = ForceColonTimeSeparator(LocaleInfo(LOCALE_STIMEFORMAT), LocaleInfo(LOCALE_STIME));
  const std::wstring widePicture = AnsiToWide(picture);
  wchar_t buffer[128] = {};
  if (GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, widePicture.empty() ? nullptr : widePicture.c_str(), buffer,
                     128) == 0)
    return "";
  return WideBufferToAnsi(buffer);
}

TLocaleDateTimeTexts LocalDateTimeTexts() {
  TLocaleDateTimeTexts texts;
  texts.LongDate = LocalLongDateText;
  texts.LongTime = LocalLongTimeText;
  return texts;
}
