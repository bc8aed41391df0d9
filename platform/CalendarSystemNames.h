// What the system supplies to the calendar by name: the installed font
// families its font lists offer, and the locale's month and day names it shows.
#pragma once

#include <string>
#include <vector>

#include "core/calendar/CalendarPainter.h"

// Every installed font family once, sorted without regard to case; vertical
// variants ("@" names) left out.
std::vector<std::string> InstalledFontNames();

// The user locale's long month names and abbreviated day names (Monday first).
TCalendarNames CalendarLocaleNames();
