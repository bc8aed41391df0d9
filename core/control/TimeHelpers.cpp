#include "core/control/TimeHelpers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr int64_t kMillisecondsPerDay = 86400000;
// Day numbers of 0001-01-01 and 9999-12-31.
constexpr int64_t kFirstDay = -693593;
constexpr int64_t kLastDay = 2958465;
// Day number of 1970-01-01, where the civil conversions below count from.
constexpr int64_t kCivilEpoch = 25569;

// Days since 1970-01-01 of a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t year, int month, int day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t days, TDateParts& parts) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t dayOfEra = days - era * 146097;
  const int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
  parts.Day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  parts.Month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  parts.Year = static_cast<int>(yearOfEra + era * 400 + (parts.Month <= 2));
}

// Splits a date-time into its day number and milliseconds of the day.
void SplitDateTime(double dateTime, int64_t& dayNumber, int64_t& msOfDay) {
  if (!std::isfinite(dateTime)) dateTime = 0;
  const bool negative = dateTime < 0;
  const int64_t lastDay = negative ? -kFirstDay : kLastDay;
  const double magnitude = std::min(std::fabs(dateTime), static_cast<double>(lastDay + 1));
  const int64_t ms = std::min<int64_t>(std::llround(magnitude * kMillisecondsPerDay),
                                       lastDay * kMillisecondsPerDay + kMillisecondsPerDay - 1);
  dayNumber = negative ? -(ms / kMillisecondsPerDay) : ms / kMillisecondsPerDay;
  msOfDay = ms % kMillisecondsPerDay;
}

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int GetDaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (!InRange(month, 1, 12)) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

std::optional<double> EncodeDateTime(const TDateParts& parts) {
  if (!InRange(parts.Year, 1, 9999) || !InRange(parts.Month, 1, 12) ||
      !InRange(parts.Day, 1, GetDaysInMonth(parts.Year, parts.Month)) ||
      !InRange(parts.Hour, 0, 23) || !InRange(parts.Minute, 0, 59) ||
      !InRange(parts.Second, 0, 59) || !InRange(parts.Millisecond, 0, 999))
    return std::nullopt;
  const int64_t dayNumber = DaysFromCivil(parts.Year, parts.Month, parts.Day) + kCivilEpoch;
  const int64_t ms =
      ((parts.Hour * 60LL + parts.Minute) * 60 + parts.Second) * 1000 + parts.Millisecond;
  const double time = static_cast<double>(ms) / kMillisecondsPerDay;
  const double day = static_cast<double>(dayNumber);
  return dayNumber >= 0 ? day + time : day - time;
}

TDateParts DecodeDateTime(double dateTime) {
  int64_t dayNumber = 0, msOfDay = 0;
  SplitDateTime(dateTime, dayNumber, msOfDay);
  TDateParts parts;
  const int64_t civilDays = dayNumber - kCivilEpoch;
  CivilFromDays(civilDays, parts);
  // 1970-01-01 was a Thursday.
  parts.DayOfWeek = static_cast<int>(((civilDays % 7) + 7 + 4) % 7);
  parts.Millisecond = static_cast<int>(msOfDay % 1000);
  parts.Second = static_cast<int>(msOfDay / 1000 % 60);
  parts.Minute = static_cast<int>(msOfDay / 60000 % 60);
  parts.Hour = static_cast<int>(msOfDay / 3600000);
  return parts;
}

double GetWholeDayPart(double dateTime) { return std::trunc(dateTime); }

int GetWeekdayIndex(bool mondayFirst, double dateTime) {
  const int sundayFirst = DecodeDateTime(dateTime).DayOfWeek;
  return mondayFirst ? (sundayFirst + 6) % 7 : sundayFirst;
}

int GetDayOfYear(double dateTime) {
  const TDateParts parts = DecodeDateTime(dateTime);
  return static_cast<int>(DaysFromCivil(parts.Year, parts.Month, parts.Day) -
                          DaysFromCivil(parts.Year, 1, 1) + 1);
}

int GetHundredSeconds(double dateTime) {
  // Counted on the millisecond-rounded time, so that 11:00:00 gives 396
  // even when the stored fraction lies a hair below it.
  int64_t dayNumber = 0, msOfDay = 0;
  SplitDateTime(dateTime, dayNumber, msOfDay);
  return static_cast<int>(msOfDay / 100000);
}

std::string GetLongDateText(double dateTime, const TLocaleDateTimeTexts& locale) {
  return locale.LongDate ? locale.LongDate(DecodeDateTime(dateTime)) : std::string();
}

std::string GetLongTimeText(double dateTime, const TLocaleDateTimeTexts& locale) {
  return locale.LongTime ? locale.LongTime(DecodeDateTime(dateTime)) : std::string();
}

std::string GetDateTimeText(const std::string& separator, double dateTime,
                            const TLocaleDateTimeTexts& locale) {
  return GetLongDateText(dateTime, locale) + " (" + std::to_string(GetDayOfYear(dateTime)) +
         ")" + separator + GetLongTimeText(dateTime, locale) + " (" +
         std::to_string(GetHundredSeconds(dateTime)) + ")";
}

std::string ForceColonTimeSeparator(const std::string& picture, const std::string& separator) {
  // A separator made of picture letters or quotes cannot be told from the fields.
  if (separator.empty() || separator.find_first_of("hHmst'") != std::string::npos) return picture;
  std::string result;
  bool quoted = false;
  for (size_t i = 0; i < picture.size();) {
    if (picture[i] == '\'') {
      quoted = !quoted;
      result += picture[i++];
    } else if (!quoted && picture.compare(i, separator.size(), separator) == 0) {
      result += ':';
      i += separator.size();
    } else {
      result += picture[i++];
    }
  }
  return result;
}
