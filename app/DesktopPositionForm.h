// The desktop position window: a preview of the desktop on which the user
// places the calendar.
#pragma once

#include "platform/Widgets.h"

class TDesktopPositionForm : public TDialogWindow {
 public:
  bool Create(HWND owner);
};
