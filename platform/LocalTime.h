// The local clock and the user's long date and time formats, as date-times
// (days since 1899-12-30) of the program's time library.
#pragma once

#include <windows.h>

#include <string>

#include "core/control/TimeHelpers.h"

// The local date and time now.
double GetLocalDateTime();

// The date-time of a system time; 0 when the fields are out of range.
double SystemTimeToDateTime(const SYSTEMTIME& time);
SYSTEMTIME DateTimeToSystemTime(double dateTime);

// The user's long date of a date-time, and its long time with ':' between
// hours, minutes and seconds whatever the locale's separator.
std::string LocalLongDateText(const TDateParts& parts);
std::string LocalLongTimeText(const TDateParts& parts);

// Both texts for GetLongDateText, GetLongTimeText and GetDateTimeText.
TLocaleDateTimeTexts LocalDateTimeTexts();
