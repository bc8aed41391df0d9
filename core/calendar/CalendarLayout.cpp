#include "core/calendar/CalendarLayout.h"

#include <algorithm>

TCalendarGrid ComputeCalendarGrid(double now, bool firstDayIsMonday, int extraWeeks) {
  TCalendarGrid grid;
  grid.TodayDayCount = static_cast<int>(GetWholeDayPart(now));
  grid.Today = DecodeDateTime(grid.TodayDayCount);
  grid.TodayColumn = GetWeekdayIndex(firstDayIsMonday, grid.TodayDayCount);
  const int dayIndex = grid.Today.Day - 1;
  grid.Lead = (grid.TodayColumn - dayIndex % 7 + 7) % 7;
  grid.ExtraWeeks = extraWeeks;
  grid.TodayCell = dayIndex + grid.Lead + 7 * extraWeeks;
  grid.GridStartDayCount = grid.TodayDayCount - grid.TodayCell;
  const int daysInMonth = GetDaysInMonth(grid.Today.Year, grid.Today.Month);
  grid.Rows = (daysInMonth + grid.Lead + 6) / 7 + 2 * extraWeeks;
  return grid;
}

TCalendarMetrics ComputeCalendarMetrics(const TCalendarSkin& skin, int rows) {
  TCalendarMetrics m;
  // Whole-number forms of size x 1.25 and size x 1.2, cut toward zero.
  m.HeaderHeight = std::max(skin.YearTextSize, skin.MonthTextSize) * 5 / 4;
  m.DayOfWeekHeight = skin.DayOfWeekTextSize * 6 / 5;
  m.HeaderBlock = m.HeaderHeight + skin.YMBottomSpace + m.DayOfWeekHeight + skin.DOWBottomSpace;
  m.CellWidth = std::max(skin.DayOfWeekTextSize, skin.DaysTextSize) * 3;
  m.CellHeight = skin.DaysTextSize * 2;
  m.CalendarWidth = 7 * m.CellWidth + 2 * skin.HorizontalMarginSpacing;
  m.CalendarHeight = rows * m.CellHeight + 2 * skin.VerticalMarginSpacing + m.HeaderBlock;
  return m;
}

TBox PlaceCalendar(const TCalendarMetrics& metrics, const TBox& calendarWorkArea,
                   TCalendarPlacement& placement) {
  placement.RectWidth = WidthToFraction(metrics.CalendarWidth, calendarWorkArea);
  placement.RectHeight = HeightToFraction(metrics.CalendarHeight, calendarWorkArea);
  placement.RectLeft = ClampPlacementFraction(placement.RectLeft, placement.RectWidth);
  placement.RectTop = ClampPlacementFraction(placement.RectTop, placement.RectHeight);
  const int x0 = TruncToInt(calendarWorkArea.Left + calendarWorkArea.Width() * placement.RectLeft);
  const int y0 = TruncToInt(calendarWorkArea.Top + calendarWorkArea.Height() * placement.RectTop);
  return BoxOfSize(x0, y0, metrics.CalendarWidth, metrics.CalendarHeight);
}

TCalendarLayout LayOutCalendar(const TCalendarSkin& skin, double now, const TBox& calendarWorkArea,
                               TCalendarPlacement& placement) {
  TCalendarLayout layout;
  layout.Grid = ComputeCalendarGrid(now, skin.FirstDayIsMonday, skin.CalendarOtherMonthsWeeks);
  layout.Metrics = ComputeCalendarMetrics(skin, layout.Grid.Rows);
  const TCalendarMetrics& m = layout.Metrics;
  layout.CalendarBox = PlaceCalendar(m, calendarWorkArea, placement);
  layout.OvalBox = OvalAroundRect(layout.CalendarBox, 1.0, 1.0, skin.OvalBackEccentricity);
  layout.BackBox = skin.OvalBack ? layout.OvalBox : layout.CalendarBox;

  const int top = layout.CalendarBox.Top + skin.VerticalMarginSpacing;
  layout.InnerLeft = layout.CalendarBox.Left + skin.HorizontalMarginSpacing;
  layout.InnerWidth = m.CalendarWidth - 2 * skin.HorizontalMarginSpacing;
  layout.HeaderBox = BoxOfSize(layout.InnerLeft, top, layout.InnerWidth, m.HeaderHeight);
  layout.DayOfWeekTop = top + m.HeaderHeight + skin.YMBottomSpace;
  const int thickness = skin.SeparatorThickness;
  const int separatorTop =
      layout.DayOfWeekTop + m.DayOfWeekHeight + skin.DOWBottomSpace / 2 - thickness / 2;
  layout.SeparatorBox = BoxOfSize(layout.InnerLeft, separatorTop, layout.InnerWidth, thickness);
  layout.DaysTop = top + m.HeaderBlock;
  return layout;
}

TBox DayOfWeekBox(const TCalendarLayout& layout, int column) {
  return BoxOfSize(layout.InnerLeft + column * layout.Metrics.CellWidth, layout.DayOfWeekTop,
                   layout.Metrics.CellWidth, layout.Metrics.DayOfWeekHeight);
}

TBox DayCellBox(const TCalendarLayout& layout, int row, int column) {
  return BoxOfSize(layout.InnerLeft + column * layout.Metrics.CellWidth,
                   layout.DaysTop + row * layout.Metrics.CellHeight, layout.Metrics.CellWidth,
                   layout.Metrics.CellHeight);
}
