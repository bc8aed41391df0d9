// The calendar pages, made from the skin parameter table, and the skin files.
#include "app/MainForm.h"
#include "resources/resource.h"

void TMainForm::BindCalendarControls() {}
