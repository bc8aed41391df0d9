// The options file: every setting read at start-up and written at close, in
// the file's key order. The controls hold the live values; the file persists them.
#include <shlobj.h>

#include "app/MainForm.h"
#include "app/ProgramInfo.h"
#include "platform/ControlValues.h"
#include "platform/Program.h"
#include "platform/StoredTextFiles.h"

namespace {

TWorkAreaBounds WorkAreaBounds() {
  RECT area = {};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  return {area.left, area.top, area.right, area.bottom};
}

}  // namespace

void TMainForm::LoadOptionsFile() {
  Options = std::make_unique<TStoredTextList>(TProgram::GetPathInProgramDirectory("Muralotrope.ini"), StoredTextFiles());
  Options->DecimalSeparator = UserDecimalSeparator();
  Options->OnLoad = [this](TStoredTextList& store, uint8_t) { LoadOptions(store); };
  Options->OnSave = [this](TStoredTextList& store, uint8_t) { SaveOptions(store); };
  Options->Load(0);
}

bool TMainForm::SaveOptionsFile() { return Options && Options->Save(false, 0); }

void TMainForm::LoadOptions(TStoredTextList& store) {
  RECT window = {};
  GetWindowRect(handle_, &window);
  const TWindowPoint position =
      ReadWindowPosition(store, "Main", "XPos", "YPos", WorkAreaBounds(), {window.left, window.top});
  SetWindowPos(handle_, nullptr, position.X, position.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ReadCheckBox(store, "Main", "Autorun", AutorunCheckBox);
  ReadCheckBox(store, "Main", "HideOnClose", HideOnCloseCheckBox);
  ReadComboBox(store, "Main", "Hotkey", "W", HotkeyComboBox);
  RegisterHotkeys();
  ReadComboBox(store, "Main", "DesktopMargin", "20", DesktopMarginComboBox);
}

void TMainForm::SaveOptions(TStoredTextList& store) {
  store.Clear();
  RECT window = {};
  GetWindowRect(handle_, &window);
  WriteWindowPosition(store, "Main", "XPos", "YPos", {window.left, window.top});
  WriteCheckBox(store, "Main", "Autorun", AutorunCheckBox);
  WriteCheckBox(store, "Main", "HideOnClose", HideOnCloseCheckBox);
  WriteComboBox(store, "Main", "Hotkey", HotkeyComboBox);
  WriteComboBox(store, "Main", "DesktopMargin", DesktopMarginComboBox);
}
