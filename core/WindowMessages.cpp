#include "core/WindowMessages.h"

TMainWindowMessage ClassifyMainWindowMessage(unsigned message) {
  static const struct {
    unsigned Number;
    TMainWindowMessage Kind;
  } kMessages[] = {
      {17, TMainWindowMessage::QueryEndSession},
      {26, TMainWindowMessage::SettingChange},
      {563, TMainWindowMessage::DropFiles},
      {786, TMainWindowMessage::Hotkey},
      {kTrayCallbackMessage, TMainWindowMessage::TrayCallback},
  };
  for (const auto& entry : kMessages)
    if (entry.Number == message) return entry.Kind;
  return TMainWindowMessage::Other;
}

bool operator==(const TAreaRect& a, const TAreaRect& b) {
  return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

TAreaRect ShrinkByMargin(const TAreaRect& workArea, int margin) {
  return {workArea.Left + margin, workArea.Top + margin, workArea.Right - margin,
          workArea.Bottom - margin};
}

TSettingsChangeAction DecideSettingsChange(const TSettingsChangeInput& input) {
  if (input.ScreenWidth != input.FittedScreenWidth ||
      input.ScreenHeight != input.FittedScreenHeight)
    return TSettingsChangeAction::Reload;
  if (ShrinkByMargin(input.WorkArea, input.DesktopMargin) != input.CalendarWorkArea)
    return TSettingsChangeAction::Redraw;
  return TSettingsChangeAction::Nothing;
}
