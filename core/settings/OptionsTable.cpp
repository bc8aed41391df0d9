#include "core/settings/OptionsTable.h"

#include <cmath>

#include "core/composition/Brightness.h"
#include "core/catalogue/DirectoryList.h"
#include "core/catalogue/Favorites.h"
#include "core/control/Hotkeys.h"
#include "core/composition/ResizeRules.h"
#include "core/control/Scheduler.h"
#include "core/settings/ListItems.h"
#include "core/calendar/SkinParameters.h"

namespace {

using TItems = std::vector<std::string>;

// The fixed item lists of the options' drop-down lists.
struct TItemLists {
  TItems DesktopMargins = NumberItems(0, 50, 5);
  TItems MinStretchSizes{"-1",  "100", "150", "200", "250", "300", "350", "400",
                         "450", "500", "600", "700", "800", "900", "1000"};
  TItems MaxStretchSkews{"-1",  "105", "110", "115", "120", "125", "130",
                         "135", "140", "145", "150", "160", "170", "180"};
  TItems NormalizeLevels = NumberItems(5, 95, 5);
  TItems NormalizeMethods = BrightnessMethodNames();
  TItems Gammas{"1",   "5",   "10",  "15",  "20",  "25",  "30",  "40",  "50",  "60",  "70",  "80",
                "90",  "100", "110", "120", "130", "140", "150", "160", "170", "180", "190", "200",
                "250", "300", "350", "400", "450", "500", "600", "700", "800", "900", "1000"};
};

const TItemLists& Lists() {
  static const TItemLists lists;
  return lists;
}

TOption Row(const char* section, std::vector<std::string> keys, TOptionKind kind, const char* holder) {
  TOption row;
  row.Section = section;
  row.Keys = std::move(keys);
  row.Kind = kind;
  row.Holder = holder;
  return row;
}

TOption Check(const char* section, const char* key, bool checked, const char* control) {
  TOption row = Row(section, {key}, TOptionKind::CheckBox, control);
  row.DefaultText = checked ? "TRUE" : "FALSE";
  return row;
}

TOption List(const char* section, const char* key, const TItems& items, std::string defaultText,
             const char* control) {
  TOption row = Row(section, {key}, TOptionKind::ComboBox, control);
  row.Items = &items;
  row.DefaultText = std::move(defaultText);
  return row;
}

TOption Color(const char* section, const char* key, uint32_t color, const char* control) {
  TOption row = Row(section, {key}, TOptionKind::ColorPanel, control);
  row.DefaultColor = color;
  return row;
}

TOption Value(const char* section, const char* key, TOptionKind kind, const char* holder) {
  return Row(section, {key}, kind, holder);
}

std::vector<TOption> MakeTable() {
  const TItemLists& l = Lists();
  // The resize options start where the fitting's own rules do.
  const TResizeRules resize;
  const std::string maxSkew = std::to_string(std::lround(resize.MaxStretchSkew * 100));
  using K = TOptionKind;
  // clang-format off
  return {
      Row("Main", {"XPos", "YPos"}, K::WindowPosition, "MainWindow"),
      Check("Main", "Autorun", true, "AutorunCheckBox"),
      Check("Main", "HideOnClose", true, "HideOnCloseCheckBox"),
      List("Main", "Hotkey", HotkeyLetterItems(), kDefaultHotkeyText, "HotkeyComboBox"),
      List("Main", "DesktopMargin", l.DesktopMargins, "20", "DesktopMarginComboBox"),

      Check("Wallpaper", "IsAutoChange", true, "IsAutoChangeWallpaperCheckBox"),
      List("Wallpaper", "AutoChangeInterval", AutoChangeIntervalItems(), kDefaultIntervalText, "AutoChangeWallpaperIntervalComboBox"),
      Check("Wallpaper", "UseAutoChangeStartTime", false, "UseAutoChangeWallpaperStartTimeCheckBox"),
      List("Wallpaper", "AutoChangeStartTime", StartHourItems(), kDefaultStartHourText, "AutoChangeWallpaperStartTimeComboBox"),
      Check("Wallpaper", "IsRandomWallpaper", false, "RandomWallpaperCheckBox"),
      Value("Wallpaper", "LastAutoChangeTime", K::Real, "LastAutoChangeTime"),
      Value("Wallpaper", "LastFileTitle", K::Path, "CurrentFileTitle"),
      Color("Wallpaper", "FillingPictureColor", resize.FillingColor, "FillingPictureColorPanel"),
      List("Wallpaper", "PictureMinStretchSize", l.MinStretchSizes, std::to_string(resize.MinStretchSize), "PictureMinStretchSizeComboBox"),
      List("Wallpaper", "PictureMaxStretchSkew", l.MaxStretchSkews, maxSkew, "PictureMaxStretchSkewComboBox"),
      Check("Wallpaper", "FitAndCropPicture", resize.FitAndCrop, "FitAndCropCheckBox"),
      Check("Wallpaper", "StretchPicture", resize.Stretch, "StretchPictureCheckBox"),
      Check("Wallpaper", "IsFitBeforeTilePicture", resize.FitBeforeTile, "FitBeforeTileCheckBox"),
      Check("Wallpaper", "IsTilePicture", resize.Tile, "IsTileCheckBox"),
      Check("Wallpaper", "UsePictureNormalizeBrightness", false, "UsePictureNormalizeBrightnessCheckBox"),
      List("Wallpaper", "PictureNormalizeBrightnessLevel", l.NormalizeLevels, "50", "PictureNormalizeBrightnessLevelComboBox"),
      List("Wallpaper", "PictureNormalizeBrightnessMethod", l.NormalizeMethods, "Balanced scaling", "PictureNormalizeBrightnessMethodComboBox"),
      List("Wallpaper", "GammaPicture", l.Gammas, "100", "GammaPictureComboBox"),

      Check("Calendar", "Show", true, "ShowCalendarCheckBox"),
      Row("Calendar", {"RectLeft", "RectTop", "RectWidth", "RectHeight"}, K::PlacementRect, "CalendarPlacement"),
      Value("Calendar", "LastRedrawTime", K::Real, "LastRedrawTime"),
      Value("Calendar", "LastCalendarSkinName", K::Path, "LastCalendarSkinName"),

      Row(kCalendarSkinSection, {}, K::Section, "CalendarSkinControls"),

      Check("BroadcastWallpaperChange", "IsAutoChange", true, "IsBroadcastWallpaperChangeCheckBox"),
      List("BroadcastWallpaperChange", "AutoChangeInterval", BroadcastIntervalItems(), kDefaultIntervalText, "BroadcastWallpaperChangeIntervalComboBox"),
      Value("BroadcastWallpaperChange", "LastAutoChangeTime", K::Real, "LastBroadcastTime"),

      Row(kDirectoryListSection, {}, K::Section, "Directories"),
      Row(kFavoritesSection, {}, K::Section, "Favorites"),
  };
  // clang-format on
}

}  // namespace

const std::vector<TOption>& OptionsTable() {
  static const std::vector<TOption> table = MakeTable();
  return table;
}

const TOption* FindOption(const std::string& holder) {
  for (const TOption& option : OptionsTable())
    if (option.Holder == holder) return &option;
  return nullptr;
}
