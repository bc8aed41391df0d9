#include <gtest/gtest.h>

#include <limits>

#include "core/calendar/CalendarLayout.h"
#include "core/calendar/SkinParameters.h"

namespace {

// Day counts (days since 1899-12-30) of the dates used below.
constexpr double kSunday15March2009 = 39887.75;  // evening: the time of day plays no part
constexpr double kFriday10April2009 = 39913.0;
constexpr double kWednesday10February2010 = 40219.5;
constexpr double kSaturday14February2015 = 42049.0;

TEST(CalendarLayoutTest, DatesDecodeAndCountWeekdays) {
  const TDateParts date = DecodeDateTime(39887);
  EXPECT_EQ(date.Year, 2009);
  EXPECT_EQ(date.Month, 3);
  EXPECT_EQ(date.Day, 15);
  const TDateParts leapDay = DecodeDateTime(45351);
  EXPECT_EQ(leapDay.Month * 100 + leapDay.Day, 229);
  const TDateParts epoch = DecodeDateTime(0);
  EXPECT_EQ(epoch.Year * 10000 + epoch.Month * 100 + epoch.Day, 18991230);
  EXPECT_EQ(GetWeekdayIndex(true, 39887), 6);
  EXPECT_EQ(GetWeekdayIndex(false, 39887), 0);
  EXPECT_EQ(GetWeekdayIndex(false, 0), 6);  // a Saturday
  EXPECT_EQ(date.DayOfWeek, 0);  // a Sunday
  EXPECT_EQ(DecodeDateTime(39913).DayOfWeek, 5);
  EXPECT_EQ(GetDaysInMonth(2000, 2), 29);
  EXPECT_EQ(GetDaysInMonth(1900, 2), 28);
  EXPECT_EQ(GetDaysInMonth(2024, 2), 29);
  EXPECT_EQ(GetDaysInMonth(2023, 2), 28);
  EXPECT_EQ(GetDaysInMonth(2023, 12), 31);
}

TEST(CalendarLayoutTest, DefaultSkinMetricsForAFiveRowMonthWithOneExtraWeek) {
  const TCalendarSkin skin = DefaultCalendarSkin({"Arial"});
  const TCalendarGrid grid =
      ComputeCalendarGrid(kFriday10April2009, skin.FirstDayIsMonday, skin.CalendarOtherMonthsWeeks);
  EXPECT_EQ(grid.Rows, 7);
  const TCalendarMetrics m = ComputeCalendarMetrics(skin, grid.Rows);
  EXPECT_EQ(m.HeaderHeight, 25);
  EXPECT_EQ(m.DayOfWeekHeight, 14);
  EXPECT_EQ(m.HeaderBlock, 59);
  EXPECT_EQ(m.CellWidth, 36);
  EXPECT_EQ(m.CellHeight, 24);
  EXPECT_EQ(m.CalendarWidth, 302);
  EXPECT_EQ(m.CalendarHeight, 277);

  // The larger of the year and month texts sets the header's height.
  TCalendarSkin bigYear = skin;
  bigYear.YearTextSize = 40;
  EXPECT_EQ(ComputeCalendarMetrics(bigYear, grid.Rows).HeaderHeight, 50);
}

TEST(CalendarLayoutTest, LeadAndRowsFollowTheFirstDayOfTheWeek) {
  TCalendarGrid grid = ComputeCalendarGrid(kSunday15March2009, true, 0);
  EXPECT_EQ(grid.Lead, 6);
  EXPECT_EQ(grid.Rows, 6);
  EXPECT_EQ(grid.TodayCell, 20);  // last column of the third row
  EXPECT_EQ(grid.GridStartDayCount, 39887 - 20);

  grid = ComputeCalendarGrid(kSunday15March2009, false, 0);
  EXPECT_EQ(grid.Lead, 0);
  EXPECT_EQ(grid.Rows, 5);
  EXPECT_EQ(grid.TodayCell, 14);

  // 28-day Februaries that begin in the first column take exactly four rows.
  EXPECT_EQ(ComputeCalendarGrid(kWednesday10February2010, true, 0).Rows, 4);
  EXPECT_EQ(ComputeCalendarGrid(kSaturday14February2015, false, 0).Rows, 4);
  EXPECT_EQ(ComputeCalendarGrid(kSaturday14February2015, true, 0).Rows, 5);
}

TEST(CalendarLayoutTest, TwoExtraWeeksShowTwoWeeksEachSideAndStillFindToday) {
  const TCalendarGrid grid = ComputeCalendarGrid(kSunday15March2009, true, 2);
  EXPECT_EQ(grid.Rows, 10);
  const int firstOfMonth = 39873, lastOfMonth = 39903;
  EXPECT_LE(grid.GridStartDayCount, firstOfMonth - 14);
  EXPECT_GE(grid.GridStartDayCount + grid.Rows * 7 - 1, lastOfMonth + 14);
  EXPECT_EQ(grid.GridStartDayCount + grid.TodayCell, 39887);
  // The top-left cell is a Monday.
  EXPECT_EQ(GetWeekdayIndex(true, grid.GridStartDayCount), 0);
}

TEST(CalendarLayoutTest, PlacementIsBoundedAndTheSizeWrittenBack) {
  const TCalendarSkin skin = DefaultCalendarSkin({"Arial"});
  const TCalendarMetrics m = ComputeCalendarMetrics(skin, 7);  // 302 x 277
  const TBox area{10, 20, 1520, 20 + 1385};                    // 1510 x 1385
  TCalendarPlacement placement{0.9, -0.3, 0, 0};
  TBox box = PlaceCalendar(m, area, placement);
  EXPECT_DOUBLE_EQ(placement.RectWidth, 0.2);
  EXPECT_DOUBLE_EQ(placement.RectHeight, 0.2);
  EXPECT_DOUBLE_EQ(placement.RectLeft, 0.8);
  EXPECT_EQ(placement.RectTop, 0.0);
  EXPECT_EQ(box.Left, 10 + 1208);
  EXPECT_EQ(box.Top, 20);
  EXPECT_EQ(box.Width(), 302);
  EXPECT_EQ(box.Height(), 277);

  // Larger than the work area: the bound is negative and the calendar starts
  // left of the area; at the next paint the negative fraction becomes 0.
  const TBox small{10, 20, 210, 20 + 554};  // 200 x 554
  placement = TCalendarPlacement{0.3, 0.25, 0, 0};
  box = PlaceCalendar(m, small, placement);
  EXPECT_DOUBLE_EQ(placement.RectLeft, 1 - 1.51);
  EXPECT_DOUBLE_EQ(placement.RectTop, 0.25);
  EXPECT_EQ(box.Left, 10 - 102);
  box = PlaceCalendar(m, small, placement);
  EXPECT_EQ(placement.RectLeft, 0.0);
  EXPECT_EQ(box.Left, 10);

  // A stored fraction that is not a number, or an area without extent, cannot
  // produce a wild position.
  placement = TCalendarPlacement{std::numeric_limits<double>::quiet_NaN(), 0.5, 0, 0};
  box = PlaceCalendar(m, TBox{0, 0, 0, 0}, placement);
  EXPECT_EQ(placement.RectLeft, 0.0);
  EXPECT_EQ(placement.RectWidth, 0.0);
  EXPECT_EQ(box.Left, 0);
}

TEST(CalendarLayoutTest, OvalCircumscribesTheCalendarAndSeparatorSitsInTheGap) {
  TCalendarSkin skin = DefaultCalendarSkin({"Arial"});
  skin.OvalBack = true;
  TCalendarPlacement placement{0, 0, 0, 0};
  TCalendarLayout layout =
      LayOutCalendar(skin, kFriday10April2009, TBox{100, 50, 1380, 1024}, placement);
  // Diagonal of 302 x 277 is 409.8..., so a circle 410 across, centred.
  EXPECT_EQ(layout.OvalBox.Left, 100 - 54);
  EXPECT_EQ(layout.OvalBox.Top, 50 - 66);
  EXPECT_EQ(layout.OvalBox.Width(), 410);
  EXPECT_EQ(layout.OvalBox.Height(), 410);
  EXPECT_EQ(layout.BackBox.Left, layout.OvalBox.Left);
  EXPECT_EQ(layout.SeparatorBox.Top, 50 + 25 + 25 + 10 + 14 + 5 - 1);
  EXPECT_EQ(layout.SeparatorBox.Height(), 2);
  EXPECT_EQ(layout.SeparatorBox.Left, 125);
  EXPECT_EQ(layout.SeparatorBox.Width(), 252);
  EXPECT_EQ(DayCellBox(layout, 6, 6).Bottom, layout.CalendarBox.Bottom - 25);

  skin.OvalBackEccentricity = 150;
  skin.OvalBack = false;
  layout = LayOutCalendar(skin, kFriday10April2009, TBox{100, 50, 1380, 1024}, placement);
  EXPECT_EQ(layout.OvalBox.Width(), 615);
  EXPECT_EQ(layout.OvalBox.Height(), 410);
  EXPECT_EQ(layout.BackBox.Left, 100);
  EXPECT_EQ(layout.BackBox.Width(), 302);
}

}  // namespace
