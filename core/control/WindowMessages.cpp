#include "core/control/WindowMessages.h"

TMainWindowMessage ClassifyMainWindowMessage(unsigned message) {
  static const struct {
    unsigned Number;
    TMainWindowMessage Kind;
  } kMessages[] = {
      {17, TMainWindowMessage::QueryEndSession},
      {26, TMainWindowMessage::SettingChange},
      {126, TMainWindowMessage::DisplayChange},
      {563, TMainWindowMessage::DropFiles},
      {786, TMainWindowMessage::Hotkey},
      {kTrayCallbackMessage, TMainWindowMessage::TrayCallback},
  };
  for (const auto& entry : kMessages)
    if (entry.Number == message) return entry.Kind;
  return TMainWindowMessage::Other;
}
