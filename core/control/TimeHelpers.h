// The program's time library. A date-time is a double counting days since
// 1899-12-30 in local time; its fraction is the time of day. For a negative
// value the whole-day part is truncated toward zero and the time of day is the
// absolute fraction, so -1.25 is 1899-12-29 06:00.
#pragma once

#include <functional>
#include <optional>
#include <string>

// A date-time split into its calendar and clock parts.
struct TDateParts {
  int Year = 1899;
  int Month = 12;        // 1..12
  int Day = 30;          // 1..31
  int Hour = 0;          // 0..23
  int Minute = 0;        // 0..59
  int Second = 0;        // 0..59
  int Millisecond = 0;   // 0..999
  int DayOfWeek = 6;     // Sunday 0 .. Saturday 6; filled by decoding, ignored by encoding
};

bool IsLeapYear(int year);

// Days of a month (1..12) in a Gregorian year; 0 for a month outside 1..12.
int GetDaysInMonth(int year, int month);

// The date-time of the parts; none when a part is out of its range (years 1..9999).
std::optional<double> EncodeDateTime(const TDateParts& parts);

// The parts of a date-time, to the nearest millisecond. Values beyond years
// 1..9999, and values that are not numbers, are brought to the nearest valid one.
TDateParts DecodeDateTime(double dateTime);

// The whole-day part, truncated toward zero.
double GetWholeDayPart(double dateTime);

// Monday-first false: Sunday 0 .. Saturday 6; true: Monday 0 .. Sunday 6.
int GetWeekdayIndex(bool mondayFirst, double dateTime);

// 1-based day of the year of the date part.
int GetDayOfYear(double dateTime);

// Whole hundreds of seconds since midnight, 0..863.
int GetHundredSeconds(double dateTime);

// The locale's long date and long time texts; the platform supplies them.
struct TLocaleDateTimeTexts {
  std::function<std::string(const TDateParts&)> LongDate;
  std::function<std::string(const TDateParts&)> LongTime;  // with ':' between hours, minutes, seconds
};

// Empty texts when the locale texts are not supplied.
std::string GetLongDateText(double dateTime, const TLocaleDateTimeTexts& locale);
std::string GetLongTimeText(double dateTime, const TLocaleDateTimeTexts& locale);

// Long date + " (" + day of year + ")" + separator + long time + " (" + hundreds of seconds + ")".
std::string GetDateTimeText(const std::string& separator, double dateTime,
                            const TLocaleDateTimeTexts& locale);

// Rewrites a locale time picture (as "HH.mm.ss" or "h.mm.ss tt") so that the
// locale's separator becomes ':'. Quoted literals are kept as they are.
std::string ForceColonTimeSeparator(const std::string& picture, const std::string& separator);
