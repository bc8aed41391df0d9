// The options file: every setting read at start-up and written at close, row
// by row of the options table. The controls hold the live values; the file persists them.
#include <shlobj.h>

#include "app/main/MainForm.h"
#include "app/ProgramInfo.h"
#include "core/catalogue/DirectoryList.h"
#include "core/catalogue/Favorites.h"
#include "core/settings/OptionsTable.h"
#include "core/control/Scheduler.h"
#include "core/settings/SettingsHome.h"
#include "platform/Program.h"
#include "platform/SettingsDirectory.h"
#include "platform/ShellLink.h"
#include "platform/SpecialFolders.h"
#include "platform/StoredTextFiles.h"
#include "platform/WindowPlacement.h"

namespace {

// The main window's left and top edges when the options file has none.
constexpr TWindowPoint kDefaultWindowPlace = {354, 122};

TWorkAreaBounds WorkAreaBounds() {
  RECT area = {};
  GetWorkArea(area);
  return {area.left, area.top, area.right, area.bottom};
}

}  // namespace

void TMainForm::LoadOptionsFile() {
  Options = std::make_unique<TStoredTextList>(GetPathInSettingsDirectory(kOptionsFileName), StoredTextFiles());
  Options->DecimalSeparator = UserDecimalSeparator();
  Options->OnLoad = [this](TStoredTextList& store, uint8_t) { LoadOptions(store); };
  Options->OnSave = [this](TStoredTextList& store, uint8_t) { SaveOptions(store); };
  Options->LoadFailureMessage = "The options file \"" + Options->FileName +
                                "\" could not be read and will not be overwritten. "
                                "Changes made until the program closes will not be saved.";
  OptionsLoadFailed = !Options->Load(0);
}

bool TMainForm::SaveOptionsFile() {
  // A file that could not be read is kept as it is; the user was told so at start.
  if (!Options || OptionsLoadFailed) return false;
  return Options->Save(false, 0);
}

// ---- The options table's rows in the window ----

TOptionHolder TMainForm::OwnOptionHolder(const std::string& name) {
  TOptionHolder place;
  place.Load = [this](const TStoredTextList& store, const TOption& row) {
    // Without a stored place the window opens at its default place.
    const TWindowPoint position =
        ReadWindowPosition(store, row.Section, row.Keys[0], row.Keys[1], WorkAreaBounds(), kDefaultWindowPlace);
    SetWindowPos(handle_, nullptr, position.X, position.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  };
  place.Save = [this](TStoredTextList& store, const TOption& row) {
    RECT window = {};
    GetWindowRect(handle_, &window);
    WriteWindowPosition(store, row.Section, row.Keys[0], row.Keys[1], {window.left, window.top});
  };
  TOptionHolder autorun = CheckBoxHolder(AutorunCheckBox);
  // The start-up shortcut follows the option at every save.
  autorun.AfterSave = [this] { MakeAutorunShortcut(); };
  return FindNamedHolder(
      name, {
                {"MainWindow", place},
                {"AutorunCheckBox", autorun},
                {"HideOnCloseCheckBox", CheckBoxHolder(HideOnCloseCheckBox)},
                {"DesktopMarginComboBox", ComboBoxHolder(DesktopMarginComboBox)},
            });
}

TOptionHolder TMainForm::FindOptionHolder(const std::string& name) {
  if (TOptionHolder holder = OwnOptionHolder(name)) return holder;
  if (TOptionHolder holder = Catalogue.FindOptionHolder(name)) return holder;
  if (TOptionHolder holder = Composition.FindOptionHolder(name)) return holder;
  if (TOptionHolder holder = Schedule.FindOptionHolder(name)) return holder;
  if (TOptionHolder holder = Favorites.FindOptionHolder(name)) return holder;
  return Calendar.FindOptionHolder(name);
}

void TMainForm::ForEachOptionRow(const std::function<void(const TOption&, const TOptionHolder&)>& visit) {
  for (const TOption& option : OptionsTable())
    if (const TOptionHolder holder = FindOptionHolder(option.Holder)) visit(option, holder);
}

void TMainForm::SetUpOptionControls() {
  ForEachOptionRow([](const TOption& option, const TOptionHolder& holder) {
    if (holder.CheckBox) holder.CheckBox->SetChecked(option.DefaultChecked());
    if (holder.ComboBox) {
      holder.ComboBox->SetItems(*option.Items);
      holder.ComboBox->SetText(option.DefaultText);
    }
    if (holder.ColorPanel) holder.ColorPanel->SetColor(option.DefaultColor);
  });
  // The periods follow the interval lists from the start.
  Schedule.AutoChangeWallpaperIntervalComboBoxChange();
  Composition.BroadcastWallpaperChangeIntervalComboBoxChange();
}

void TMainForm::LoadOptions(TStoredTextList& store) {
  ForEachOptionRow([&store](const TOption& option, const TOptionHolder& holder) {
    holder.Load(store, option);
    if (holder.AfterLoad) holder.AfterLoad();
  });
}

void TMainForm::SaveOptions(TStoredTextList& store) {
  store.Clear();
  ForEachOptionRow([&store](const TOption& option, const TOptionHolder& holder) {
    holder.Save(store, option);
    if (holder.AfterSave) holder.AfterSave();
  });
}

void TMainForm::MakeAutorunShortcut() {
  const std::string startup = GetSystemDirectoryPath(CSIDL_STARTUP);
  if (!startup.empty()) MakeLinkByStatus(startup, TProgram::GetProgramPath(), "", AutorunCheckBox.Checked(), true, "");
}
