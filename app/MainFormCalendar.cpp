// The calendar pages, made from the skin parameter table, and the skin files.
#include "app/MainForm.h"
#include "resources/resource.h"

void TMainForm::BindCalendarControls() {}

// Filled in with the calendar.
bool TMainForm::SetInfoOnPicture(void*, int, int, int, int) { return true; }
void TMainForm::CalendarSetDesktopPositionLabelClick() {}
void TMainForm::LoadCalendarSkin(bool) {}
