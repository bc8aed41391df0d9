// Paints the month calendar onto a canvas: background, year and month,
// day-of-week names, separator, and the day cells, in that order.
#pragma once

#include <array>
#include <string>

#include "core/calendar/CalendarGeometry.h"
#include "core/calendar/CalendarSkin.h"
#include "core/calendar/Canvas.h"

// The locale's names the calendar shows.
struct TCalendarNames {
  std::array<std::string, 12> LongMonthNames;  // January first
  std::array<std::string, 7> ShortDayNames;    // Monday first
};

// What one paint needs besides the skin.
struct TCalendarScene {
  bool ShowCalendar = false;  // "Show on wallpaper"
  double Now = 0;             // local date-time as a day count
  TBox CalendarWorkArea;      // the work area shrunk by the desktop margin
  TCalendarNames Names;
};

struct TCalendarPaintResult {
  bool Painted = false;  // false only when the calendar is not shown
  TBox CalendarBox;
};

// With the calendar shown: lays it out (writing RectWidth and RectHeight,
// bounding RectLeft and RectTop), paints it, and sets lastRedrawTime to now,
// also after a failure, so that a failing paint waits for the next day.
// Hidden: touches nothing.
TCalendarPaintResult PaintCalendar(TCanvas& canvas, const TCalendarSkin& skin,
                                   const TCalendarScene& scene, TCalendarPlacement& placement,
                                   double& lastRedrawTime);
