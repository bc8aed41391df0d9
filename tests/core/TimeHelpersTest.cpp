#include "core/control/TimeHelpers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

double At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
          int millisecond = 0) {
  return *EncodeDateTime({year, month, day, hour, minute, second, millisecond});
}

// "yyyy-mm-dd hh:nn:ss.zzz" of the decoded parts.
std::string Text(double dateTime) {
  const TDateParts p = DecodeDateTime(dateTime);
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d.%03d", p.Year, p.Month,
                p.Day, p.Hour, p.Minute, p.Second, p.Millisecond);
  return buffer;
}

TEST(TimeHelpersTest, EncodeAndDecode) {
  EXPECT_EQ(At(1899, 12, 30), 0.0);
  EXPECT_EQ(At(2009, 1, 1, 6), 39814.25);
  EXPECT_EQ(Text(At(2000, 2, 29, 13, 45, 7, 999)), "2000-02-29 13:45:07.999");
  EXPECT_EQ(Text(At(9999, 12, 31, 23, 59, 59, 999)), "9999-12-31 23:59:59.999");
  // Negative values keep the time of day as the absolute fraction.
  EXPECT_EQ(Text(-1.25), "1899-12-29 06:00:00.000");
  // A hair below a whole second is that second.
  EXPECT_EQ(Text(At(2024, 5, 1, 1) - 1e-11), "2024-05-01 01:00:00.000");
  EXPECT_EQ(Text(std::nan("")), "1899-12-30 00:00:00.000");
  EXPECT_EQ(Text(1e300), "9999-12-31 23:59:59.999");

  EXPECT_FALSE(EncodeDateTime({2023, 2, 29}));
  EXPECT_FALSE(EncodeDateTime({1900, 2, 29}));
  EXPECT_FALSE(EncodeDateTime({2024, 1, 1, 24}));
}

TEST(TimeHelpersTest, CalendarArithmetic) {
  EXPECT_EQ(GetDaysInMonth(2023, 2), 28);
  EXPECT_EQ(GetDaysInMonth(2024, 2), 29);
  EXPECT_EQ(GetDaysInMonth(2000, 2), 29);
  EXPECT_EQ(GetDaysInMonth(1900, 2), 28);
  EXPECT_EQ(GetDaysInMonth(2023, 13), 0);

  const double sunday = At(2009, 3, 15, 23, 59, 59);
  EXPECT_EQ(GetWeekdayIndex(false, sunday), 0);
  EXPECT_EQ(GetWeekdayIndex(true, sunday), 6);
  EXPECT_EQ(GetWeekdayIndex(false, 0), 6);     // 1899-12-30, a Saturday
  EXPECT_EQ(GetWeekdayIndex(false, -1.5), 5);  // the Friday before

  EXPECT_EQ(GetDayOfYear(sunday), 74);
  EXPECT_EQ(GetDayOfYear(At(2024, 3, 1)), 61);
  EXPECT_EQ(GetDayOfYear(At(2024, 12, 31, 23)), 366);

  EXPECT_EQ(GetHundredSeconds(At(2024, 5, 1, 1)), 36);  // 1/24 lies a hair below in binary
  EXPECT_EQ(GetHundredSeconds(At(2024, 5, 1, 0, 1, 39, 999)), 0);
  EXPECT_EQ(GetHundredSeconds(At(2024, 5, 1, 23, 59, 59, 999)), 863);
}

TEST(TimeHelpersTest, DateTimeTexts) {
  TLocaleDateTimeTexts locale;
  locale.LongDate = [](const TDateParts& p) {
    return std::to_string(p.Day) + "." + std::to_string(p.Month) + " w" + std::to_string(p.DayOfWeek);
  };
  locale.LongTime = [](const TDateParts& p) {
    return std::to_string(p.Hour) + ":" + std::to_string(p.Minute) + ":" + std::to_string(p.Second);
  };
  EXPECT_EQ(GetDateTimeText(" | ", At(2009, 3, 15, 11, 5, 9), locale), "15.3 w0 (74) | 11:5:9 (399)");
  EXPECT_EQ(GetDateTimeText(" - ", At(2009, 3, 15, 11), TLocaleDateTimeTexts()), " (74) -  (396)");

  EXPECT_EQ(ForceColonTimeSeparator("HH' .'mm - ss", " - "), "HH' .'mm:ss");
  EXPECT_EQ(ForceColonTimeSeparator("HHhmm", "h"), "HHhmm");
}

}  // namespace
