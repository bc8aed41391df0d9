// Where everything of the month calendar goes: the month grid for a date, the
// metrics that follow from the skin, and the calendar's place in the work area.
#pragma once

#include "core/control/TimeHelpers.h"
#include "core/calendar/CalendarGeometry.h"
#include "core/calendar/CalendarSkin.h"

struct TCalendarGrid {
  TDateParts Today;
  int TodayDayCount = 0;  // whole days of now
  int TodayColumn = 0;
  int Lead = 0;        // column of the month's first day
  int ExtraWeeks = 0;  // whole weeks of the neighbouring months above and below
  int TodayCell = 0;   // today's index in the grid, row by row
  int Rows = 0;
  int GridStartDayCount = 0;  // date of the top-left cell
};

TCalendarGrid ComputeCalendarGrid(double now, bool firstDayIsMonday, int extraWeeks);

struct TCalendarMetrics {
  int HeaderHeight = 0;
  int DayOfWeekHeight = 0;
  int HeaderBlock = 0;  // header, its bottom space, day-of-week row and its bottom space
  int CellWidth = 0;
  int CellHeight = 0;
  int CalendarWidth = 0;
  int CalendarHeight = 0;
};

TCalendarMetrics ComputeCalendarMetrics(const TCalendarSkin& skin, int rows);

// Writes RectWidth and RectHeight, bounds RectLeft and RectTop, and gives the
// calendar's box in the pixels of the work area's coordinate system.
TBox PlaceCalendar(const TCalendarMetrics& metrics, const TBox& calendarWorkArea,
                   TCalendarPlacement& placement);

struct TCalendarLayout {
  TCalendarGrid Grid;
  TCalendarMetrics Metrics;
  TBox CalendarBox;
  TBox OvalBox;
  TBox BackBox;  // the oval's box with an oval back, else the calendar's
  int InnerLeft = 0;
  int InnerWidth = 0;
  TBox HeaderBox;  // shared by year and month
  int DayOfWeekTop = 0;
  TBox SeparatorBox;  // centred in the day-of-week bottom space
  int DaysTop = 0;
};

TCalendarLayout LayOutCalendar(const TCalendarSkin& skin, double now, const TBox& calendarWorkArea,
                               TCalendarPlacement& placement);

TBox DayOfWeekBox(const TCalendarLayout& layout, int column);
TBox DayCellBox(const TCalendarLayout& layout, int row, int column);
