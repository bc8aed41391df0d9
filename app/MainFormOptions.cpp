// The options file: every setting read at start-up and written at close, in
// the file's key order. The controls hold the live values; the file persists them.
#include <shlobj.h>

#include "app/MainForm.h"
#include "app/ProgramInfo.h"
#include "core/DirectoryList.h"
#include "core/Favorites.h"
#include "core/Scheduler.h"
#include "platform/ControlValues.h"
#include "core/SettingsHome.h"
#include "platform/Program.h"
#include "platform/SettingsDirectory.h"
#include "platform/ShellLink.h"
#include "platform/SpecialFolders.h"
#include "platform/StoredTextFiles.h"
#include "platform/WindowPlacement.h"

namespace {

// The main window's left and top edges when the options file has none.
constexpr TWindowPoint kDefaultWindowPlace = {354, 122};

// Stored paths longer than the system's path limit are ignored.
constexpr size_t kMaxStoredPath = 260;

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
  Options = std::make_unique<TStoredTextList>(GetPathInSettingsDirectory(OptionsFileName), StoredTextFiles());
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

void TMainForm::LoadOptions(TStoredTextList& store) {
  // Without a stored place the window opens at its default place.
  const TWindowPoint position = ReadWindowPosition(store, "Main", "XPos", "YPos", WorkAreaBounds(), kDefaultWindowPlace);
  SetWindowPos(handle_, nullptr, position.X, position.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ReadCheckBox(store, "Main", "Autorun", AutorunCheckBox);
  ReadCheckBox(store, "Main", "HideOnClose", HideOnCloseCheckBox);
  ReadComboBox(store, "Main", "Hotkey", "W", HotkeyComboBox);
  RegisterHotkeys();
  ReadComboBox(store, "Main", "DesktopMargin", "20", DesktopMarginComboBox);

  ReadCheckBox(store, "Wallpaper", "IsAutoChange", IsAutoChangeWallpaperCheckBox);
  ReadComboBox(store, "Wallpaper", "AutoChangeInterval", "1 hour", AutoChangeWallpaperIntervalComboBox);
  AutoChangePeriod = GetPeriodFromText(AutoChangeWallpaperIntervalComboBox.Text());
  ReadCheckBox(store, "Wallpaper", "UseAutoChangeStartTime", UseAutoChangeWallpaperStartTimeCheckBox);
  ReadComboBox(store, "Wallpaper", "AutoChangeStartTime", "0", AutoChangeWallpaperStartTimeComboBox);
  ReadCheckBox(store, "Wallpaper", "IsRandomWallpaper", RandomWallpaperCheckBox);
  ReadReal(store, "Wallpaper", "LastAutoChangeTime", Selection.LastAutoChangeTime);
  ReadText(store, "Wallpaper", "LastFileTitle", false, Selection.CurrentFileTitle, kMaxStoredPath);
  uint32_t filling = 0;
  ReadColor(store, "Wallpaper", "FillingPictureColor", filling);
  SetPanelColor(FillingPictureColorPanel, filling);
  ReadComboBox(store, "Wallpaper", "PictureMinStretchSize", "300", PictureMinStretchSizeComboBox);
  ReadComboBox(store, "Wallpaper", "PictureMaxStretchSkew", "120", PictureMaxStretchSkewComboBox);
  ReadCheckBox(store, "Wallpaper", "FitAndCropPicture", FitAndCropCheckBox);
  ReadCheckBox(store, "Wallpaper", "StretchPicture", StretchPictureCheckBox);
  ReadCheckBox(store, "Wallpaper", "IsFitBeforeTilePicture", FitBeforeTileCheckBox);
  ReadCheckBox(store, "Wallpaper", "IsTilePicture", IsTileCheckBox);
  ReadCheckBox(store, "Wallpaper", "UsePictureNormalizeBrightness", UsePictureNormalizeBrightnessCheckBox);
  ReadComboBox(store, "Wallpaper", "PictureNormalizeBrightnessLevel", "50", PictureNormalizeBrightnessLevelComboBox);
  ReadComboBox(store, "Wallpaper", "PictureNormalizeBrightnessMethod", "Balanced scaling",
               PictureNormalizeBrightnessMethodComboBox);
  ReadComboBox(store, "Wallpaper", "GammaPicture", "100", GammaPictureComboBox);

  ReadCheckBox(store, "Calendar", "Show", ShowCalendarCheckBox);
  ReadPlacementRect(store, "Calendar", "RectLeft", "RectTop", "RectWidth", "RectHeight", CalendarPlacement.RectLeft,
                    CalendarPlacement.RectTop, CalendarPlacement.RectWidth, CalendarPlacement.RectHeight);
  ReadReal(store, "Calendar", "LastRedrawTime", LastRedrawTime);
  ReadText(store, "Calendar", "LastCalendarSkinName", false, LastCalendarSkinName, kMaxStoredPath);
  // At start-up the whole skin is read.
  LoadWholeSkin = true;
  ReadCalendarSkin(store);

  ReadCheckBox(store, "BroadcastWallpaperChange", "IsAutoChange", IsBroadcastWallpaperChangeCheckBox);
  ReadComboBox(store, "BroadcastWallpaperChange", "AutoChangeInterval", "1 hour",
               BroadcastWallpaperChangeIntervalComboBox);
  BroadcastPeriod = GetPeriodFromText(BroadcastWallpaperChangeIntervalComboBox.Text());
  ReadReal(store, "BroadcastWallpaperChange", "LastAutoChangeTime", LastBroadcastTime);

  LoadDirectoryList(SectionReader(store, DirectoryListSection));
  Favorites.Load(SectionReader(store, FavoritesSection));
}

void TMainForm::SaveOptions(TStoredTextList& store) {
  store.Clear();
  RECT window = {};
  GetWindowRect(handle_, &window);
  WriteWindowPosition(store, "Main", "XPos", "YPos", {window.left, window.top});
  WriteCheckBox(store, "Main", "Autorun", AutorunCheckBox);
  // The start-up shortcut follows the option at every save.
  const std::string startup = GetSystemDirectoryPath(CSIDL_STARTUP);
  if (!startup.empty()) MakeLinkByStatus(startup, TProgram::GetProgramPath(), "", AutorunCheckBox.Checked(), true, "");
  WriteCheckBox(store, "Main", "HideOnClose", HideOnCloseCheckBox);
  WriteComboBox(store, "Main", "Hotkey", HotkeyComboBox);
  WriteComboBox(store, "Main", "DesktopMargin", DesktopMarginComboBox);

  WriteCheckBox(store, "Wallpaper", "IsAutoChange", IsAutoChangeWallpaperCheckBox);
  WriteComboBox(store, "Wallpaper", "AutoChangeInterval", AutoChangeWallpaperIntervalComboBox);
  WriteCheckBox(store, "Wallpaper", "UseAutoChangeStartTime", UseAutoChangeWallpaperStartTimeCheckBox);
  WriteComboBox(store, "Wallpaper", "AutoChangeStartTime", AutoChangeWallpaperStartTimeComboBox);
  WriteCheckBox(store, "Wallpaper", "IsRandomWallpaper", RandomWallpaperCheckBox);
  WriteReal(store, "Wallpaper", "LastAutoChangeTime", Selection.LastAutoChangeTime);
  WriteText(store, "Wallpaper", "LastFileTitle", Selection.CurrentFileTitle);
  WriteColor(store, "Wallpaper", "FillingPictureColor", FillingPictureColorPanel.Color());
  WriteComboBox(store, "Wallpaper", "PictureMinStretchSize", PictureMinStretchSizeComboBox);
  WriteComboBox(store, "Wallpaper", "PictureMaxStretchSkew", PictureMaxStretchSkewComboBox);
  WriteCheckBox(store, "Wallpaper", "FitAndCropPicture", FitAndCropCheckBox);
  WriteCheckBox(store, "Wallpaper", "StretchPicture", StretchPictureCheckBox);
  WriteCheckBox(store, "Wallpaper", "IsFitBeforeTilePicture", FitBeforeTileCheckBox);
  WriteCheckBox(store, "Wallpaper", "IsTilePicture", IsTileCheckBox);
  WriteCheckBox(store, "Wallpaper", "UsePictureNormalizeBrightness", UsePictureNormalizeBrightnessCheckBox);
  WriteComboBox(store, "Wallpaper", "PictureNormalizeBrightnessLevel", PictureNormalizeBrightnessLevelComboBox);
  WriteComboBox(store, "Wallpaper", "PictureNormalizeBrightnessMethod", PictureNormalizeBrightnessMethodComboBox);
  WriteComboBox(store, "Wallpaper", "GammaPicture", GammaPictureComboBox);

  WriteCheckBox(store, "Calendar", "Show", ShowCalendarCheckBox);
  WritePlacementRect(store, "Calendar", "RectLeft", "RectTop", "RectWidth", "RectHeight", CalendarPlacement.RectLeft,
                     CalendarPlacement.RectTop, CalendarPlacement.RectWidth, CalendarPlacement.RectHeight);
  WriteReal(store, "Calendar", "LastRedrawTime", LastRedrawTime);
  WriteText(store, "Calendar", "LastCalendarSkinName", LastCalendarSkinName);
  WriteCalendarSkin(store);

  WriteCheckBox(store, "BroadcastWallpaperChange", "IsAutoChange", IsBroadcastWallpaperChangeCheckBox);
  WriteComboBox(store, "BroadcastWallpaperChange", "AutoChangeInterval", BroadcastWallpaperChangeIntervalComboBox);
  WriteReal(store, "BroadcastWallpaperChange", "LastAutoChangeTime", LastBroadcastTime);

  WriteSection(store, DirectoryListSection, SaveDirectoryList());
  WriteSection(store, FavoritesSection, Favorites.Save());
}
