#include "core/CalendarDates.h"

#include <cmath>
#include <limits>

namespace CalendarDates {

namespace {

// Day 0 of the day count, 1899-12-30, is 25569 days before 1970-01-01.
constexpr long long kDaysTo1970 = 25569;

long long FloorDiv(long long a, long long b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}
int PositiveMod(long long a, int b) { return static_cast<int>(((a % b) + b) % b); }

// Monday-first weekday: day 0 was a Saturday (5).
int MondayFirstWeekday(int dayCount) {
  return PositiveMod(static_cast<long long>(dayCount) + 5, 7);
}

}  // namespace

int WholeDays(double dateTime) {
  if (!std::isfinite(dateTime)) return 0;
  const double whole = std::trunc(dateTime);
  if (whole <= std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  if (whole >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  return static_cast<int>(whole);
}

TDate DecodeDay(int dayCount) {
  // Civil date from days since 1970-01-01 in the proleptic Gregorian calendar,
  // counted in 400-year eras starting on 1 March.
  const long long z = static_cast<long long>(dayCount) - kDaysTo1970 + 719468;
  const long long era = FloorDiv(z, 146097);
  const long long dayOfEra = z - era * 146097;
  const long long yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long long shiftedMonth = (5 * dayOfYear + 2) / 153;
  TDate date;
  date.Day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  date.Month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  date.Year = static_cast<int>(yearOfEra + era * 400 + (date.Month <= 2 ? 1 : 0));
  return date;
}

int GetDaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

int GetWeekdayIndex(bool mondayFirst, int dayCount) {
  const int monday = MondayFirstWeekday(dayCount);
  return mondayFirst ? monday : (monday + 1) % 7;
}

bool IsWeekend(int dayCount) { return MondayFirstWeekday(dayCount) >= 5; }

}  // namespace CalendarDates
