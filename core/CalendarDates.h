// The calendar's own date arithmetic on day counts (days since 1899-12-30,
// the fraction being the time of day). Kept in a namespace of its own so that
// it stands apart from the program's general time helpers.
#pragma once

namespace CalendarDates {

struct TDate {
  int Year = 0;
  int Month = 0;  // 1..12
  int Day = 0;    // 1..31
};

// The whole-day part of a date-time, cut toward zero.
int WholeDays(double dateTime);

// The civil date of a whole day count.
TDate DecodeDay(int dayCount);

// 28..31; February of a Gregorian leap year has 29.
int GetDaysInMonth(int year, int month);

// Column of the weekday: Monday-first 0 (Monday) .. 6 (Sunday), otherwise
// 0 (Sunday) .. 6 (Saturday).
int GetWeekdayIndex(bool mondayFirst, int dayCount);

bool IsWeekend(int dayCount);

}  // namespace CalendarDates
