// The options file: every setting read at start-up and written at close, row
// by row of the options table. The controls hold the live values; the file persists them.
#include <shlobj.h>

#include "app/MainForm.h"
#include "app/ProgramInfo.h"
#include "core/catalogue/DirectoryList.h"
#include "core/catalogue/Favorites.h"
#include "core/settings/OptionsTable.h"
#include "core/control/Scheduler.h"
#include "core/calendar/SkinParameters.h"
#include "platform/ControlValues.h"
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

// One section of the store as the catalogue's list readers want it.
TSectionReader SectionReader(const TStoredTextList& store, const std::string& section) {
  TSectionReader reader;
  reader.ReadText = [&store, section](const std::string& key) { return ReadString(store, section, key, ""); };
  reader.ReadInt = [&store, section](const std::string& key, int32_t defaultValue) {
    int32_t value = defaultValue;
    ReadInt(store, section, key, value, INT32_MAX, INT32_MIN);
    return value;
  };
  return reader;
}

void WriteSection(TStoredTextList& store, const std::string& section, const TKeyValues& values) {
  for (const auto& [key, value] : values) WriteText(store, section, key, value);
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

TMainForm::TOptionHolder TMainForm::FindOptionHolder(const std::string& name) {
  // Every holder a row of the table names that the window keeps as a control or a value.
  const std::pair<const char*, TOptionHolder> holders[] = {
      {"AutorunCheckBox", &AutorunCheckBox},
      {"HideOnCloseCheckBox", &HideOnCloseCheckBox},
      {"HotkeyComboBox", &HotkeyComboBox},
      {"DesktopMarginComboBox", &DesktopMarginComboBox},
      {"IsAutoChangeWallpaperCheckBox", &IsAutoChangeWallpaperCheckBox},
      {"AutoChangeWallpaperIntervalComboBox", &AutoChangeWallpaperIntervalComboBox},
      {"UseAutoChangeWallpaperStartTimeCheckBox", &UseAutoChangeWallpaperStartTimeCheckBox},
      {"AutoChangeWallpaperStartTimeComboBox", &AutoChangeWallpaperStartTimeComboBox},
      {"RandomWallpaperCheckBox", &RandomWallpaperCheckBox},
      {"LastAutoChangeTime", &Selection.LastAutoChangeTime},
      {"CurrentFileTitle", &Selection.CurrentFileTitle},
      {"FillingPictureColorPanel", &FillingPictureColorPanel},
      {"PictureMinStretchSizeComboBox", &PictureMinStretchSizeComboBox},
      {"PictureMaxStretchSkewComboBox", &PictureMaxStretchSkewComboBox},
      {"FitAndCropCheckBox", &FitAndCropCheckBox},
      {"StretchPictureCheckBox", &StretchPictureCheckBox},
      {"FitBeforeTileCheckBox", &FitBeforeTileCheckBox},
      {"IsTileCheckBox", &IsTileCheckBox},
      {"UsePictureNormalizeBrightnessCheckBox", &UsePictureNormalizeBrightnessCheckBox},
      {"PictureNormalizeBrightnessLevelComboBox", &PictureNormalizeBrightnessLevelComboBox},
      {"PictureNormalizeBrightnessMethodComboBox", &PictureNormalizeBrightnessMethodComboBox},
      {"GammaPictureComboBox", &GammaPictureComboBox},
      {"ShowCalendarCheckBox", &ShowCalendarCheckBox},
      {"LastRedrawTime", &LastRedrawTime},
      {"LastCalendarSkinName", &LastCalendarSkinName},
      {"IsBroadcastWallpaperChangeCheckBox", &IsBroadcastWallpaperChangeCheckBox},
      {"BroadcastWallpaperChangeIntervalComboBox", &BroadcastWallpaperChangeIntervalComboBox},
      {"LastBroadcastTime", &LastBroadcastTime},
  };
  for (const auto& [holderName, holder] : holders)
    if (name == holderName) return holder;
  return {};
}

void TMainForm::SetUpOptionControls() {
  for (const TOption& option : OptionsTable()) {
    const TOptionHolder holder = FindOptionHolder(option.Holder);
    if (holder.CheckBox) holder.CheckBox->SetChecked(option.DefaultChecked());
    if (holder.ComboBox) {
      holder.ComboBox->SetItems(*option.Items);
      holder.ComboBox->SetText(option.DefaultText);
    }
    if (holder.ColorPanel) holder.ColorPanel->SetColor(option.DefaultColor);
  }
  // The periods follow the interval lists from the start.
  AutoChangeWallpaperIntervalComboBoxChange();
  BroadcastWallpaperChangeIntervalComboBoxChange();
}

void TMainForm::LoadOptions(TStoredTextList& store) {
  for (const TOption& option : OptionsTable()) {
    const TOptionHolder holder = FindOptionHolder(option.Holder);
    const std::string& section = option.Section;
    switch (option.Kind) {
      case TOptionKind::CheckBox:
        ReadCheckBox(store, section, option.Key(), *holder.CheckBox);
        break;
      case TOptionKind::ComboBox:
        ReadComboBox(store, section, option.Key(), option.DefaultText, *holder.ComboBox);
        break;
      case TOptionKind::ColorPanel: {
        // A missing colour is the option's default, not the panel's present one.
        uint32_t color = option.DefaultColor;
        ReadColor(store, section, option.Key(), color);
        SetPanelColor(*holder.ColorPanel, color);
        break;
      }
      case TOptionKind::Real:
        ReadReal(store, section, option.Key(), *holder.Real);
        break;
      case TOptionKind::Path:
        ReadText(store, section, option.Key(), false, *holder.Text, kMaxStoredPathLength);
        break;
      case TOptionKind::WindowPosition:
        LoadWindowPosition(store, option);
        break;
      case TOptionKind::PlacementRect:
        ReadPlacementRect(store, section, option.Keys[0], option.Keys[1], option.Keys[2], option.Keys[3],
                          CalendarPlacement.RectLeft, CalendarPlacement.RectTop, CalendarPlacement.RectWidth,
                          CalendarPlacement.RectHeight);
        break;
      case TOptionKind::Section:
        LoadOptionSection(store, option);
        break;
    }
    // What follows from a value as soon as it is in its control.
    if (holder.ComboBox == &HotkeyComboBox) RegisterHotkeys();
    if (holder.ComboBox == &AutoChangeWallpaperIntervalComboBox) AutoChangeWallpaperIntervalComboBoxChange();
    if (holder.ComboBox == &BroadcastWallpaperChangeIntervalComboBox) BroadcastWallpaperChangeIntervalComboBoxChange();
  }
}

void TMainForm::SaveOptions(TStoredTextList& store) {
  store.Clear();
  for (const TOption& option : OptionsTable()) {
    const TOptionHolder holder = FindOptionHolder(option.Holder);
    const std::string& section = option.Section;
    switch (option.Kind) {
      case TOptionKind::CheckBox:
        WriteCheckBox(store, section, option.Key(), *holder.CheckBox);
        break;
      case TOptionKind::ComboBox:
        WriteComboBox(store, section, option.Key(), *holder.ComboBox);
        break;
      case TOptionKind::ColorPanel:
        WriteColor(store, section, option.Key(), holder.ColorPanel->Color());
        break;
      case TOptionKind::Real:
        WriteReal(store, section, option.Key(), *holder.Real);
        break;
      case TOptionKind::Path:
        WriteText(store, section, option.Key(), *holder.Text);
        break;
      case TOptionKind::WindowPosition: {
        RECT window = {};
        GetWindowRect(handle_, &window);
        WriteWindowPosition(store, section, option.Keys[0], option.Keys[1], {window.left, window.top});
        break;
      }
      case TOptionKind::PlacementRect:
        WritePlacementRect(store, section, option.Keys[0], option.Keys[1], option.Keys[2], option.Keys[3],
                           CalendarPlacement.RectLeft, CalendarPlacement.RectTop, CalendarPlacement.RectWidth,
                           CalendarPlacement.RectHeight);
        break;
      case TOptionKind::Section:
        SaveOptionSection(store, option);
        break;
    }
    // The start-up shortcut follows the option at every save.
    if (holder.CheckBox == &AutorunCheckBox) MakeAutorunShortcut();
  }
}

void TMainForm::LoadWindowPosition(const TStoredTextList& store, const TOption& option) {
  // Without a stored place the window opens at its default place.
  const TWindowPoint position =
      ReadWindowPosition(store, option.Section, option.Keys[0], option.Keys[1], WorkAreaBounds(), kDefaultWindowPlace);
  SetWindowPos(handle_, nullptr, position.X, position.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainForm::LoadOptionSection(TStoredTextList& store, const TOption& option) {
  if (option.Section == kCalendarSkinSection) {
    // At start-up the whole skin is read.
    LoadWholeSkin = true;
    ReadCalendarSkin(store);
  } else if (option.Section == kDirectoryListSection) {
    LoadDirectoryList(SectionReader(store, option.Section));
  } else if (option.Section == kFavoritesSection) {
    Favorites.Load(SectionReader(store, option.Section));
  }
}

void TMainForm::SaveOptionSection(TStoredTextList& store, const TOption& option) {
  if (option.Section == kCalendarSkinSection)
    WriteCalendarSkin(store);
  else if (option.Section == kDirectoryListSection)
    WriteSection(store, option.Section, SaveDirectoryList());
  else if (option.Section == kFavoritesSection)
    WriteSection(store, option.Section, Favorites.Save());
}

void TMainForm::MakeAutorunShortcut() {
  const std::string startup = GetSystemDirectoryPath(CSIDL_STARTUP);
  if (!startup.empty()) MakeLinkByStatus(startup, TProgram::GetProgramPath(), "", AutorunCheckBox.Checked(), true, "");
}
