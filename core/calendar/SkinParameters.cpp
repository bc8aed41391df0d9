#include "core/calendar/SkinParameters.h"

#include <cstdlib>

#include "core/settings/ListItems.h"
#include "core/text/AsciiText.h"

const char* const kCalendarSkinSection = "CalendarSkin";

namespace {

using TItems = std::vector<std::string>;

TItems FontSizeItems(int largest) {
  TItems items = NumberItems(8, 30, 1);
  for (int size : {32, 35, 38, 40, 45, 50, 55, 60})
    if (size <= largest) items.push_back(std::to_string(size));
  return items;
}

// The fixed item lists, shared by the rows that offer them.
struct TItemLists {
  TItems OneToFive = NumberItems(1, 5, 1);
  TItems ZeroToFour = NumberItems(0, 4, 1);
  TItems Spacings = NumberItems(0, 50, 5);
  TItems Percents = NumberItems(0, 100, 5);
  TItems Eccentricities = NumberItems(100, 150, 5);
  TItems Thicknesses = NumberItems(1, 99, 1);
  TItems LargeFontSizes = FontSizeItems(60);
  TItems SmallFontSizes = FontSizeItems(40);
  TItems ShadowShifts = NumberItems(-5, 5, 1);
  TItems TextEffects{"None", "Shadow", "Outline"};
};

const TItemLists& Lists() {
  static const TItemLists lists;
  return lists;
}

TSkinParameter Row(const char* key, const char* control, const char* page,
                   TSkinParameterKind kind) {
  TSkinParameter row;
  row.Key = key;
  row.ControlName = control;
  row.Page = page;
  row.Kind = kind;
  return row;
}

TSkinParameter IntList(const char* key, const char* control, const char* page, const TItems* items,
                       const char* defaultText, int TCalendarSkin::*value) {
  TSkinParameter row = Row(key, control, page, TSkinParameterKind::IntList);
  row.Items = items;
  row.DefaultText = defaultText;
  row.IntValue = value;
  return row;
}

TSkinParameter Translucency(const char* key, const char* control, const char* page,
                            const char* defaultText, int TCalendarSkin::*value) {
  TSkinParameter row = IntList(key, control, page, &Lists().Percents, defaultText, value);
  row.Kind = TSkinParameterKind::Translucency;
  return row;
}

TSkinParameter Choice(const char* key, const char* control, const char* page, const TItems* items,
                      const char* defaultText, std::string TCalendarSkin::*value) {
  TSkinParameter row = Row(key, control, page, TSkinParameterKind::Choice);
  row.Items = items;
  row.DefaultText = defaultText;
  row.TextValue = value;
  return row;
}

TSkinParameter Font(const char* key, const char* control, const char* page, const char* defaultText,
                    std::string TCalendarSkin::*value) {
  TSkinParameter row = Row(key, control, page, TSkinParameterKind::FontName);
  row.DefaultText = defaultText;
  row.TextValue = value;
  return row;
}

TSkinParameter Check(const char* key, const char* control, const char* page, bool checked,
                     bool TCalendarSkin::*value) {
  TSkinParameter row = Row(key, control, page, TSkinParameterKind::Bool);
  row.DefaultText = checked ? "TRUE" : "FALSE";
  row.BoolValue = value;
  return row;
}

TSkinParameter Color(const char* key, const char* control, const char* page, uint32_t color,
                     uint32_t TCalendarSkin::*value) {
  TSkinParameter row = Row(key, control, page, TSkinParameterKind::Color);
  row.DefaultColor = color;
  row.ColorValue = value;
  return row;
}

std::vector<TSkinParameter> MakeTable() {
  const TItemLists& l = Lists();
  // clang-format off
  return {
      Choice("TextEffect", "CalendarTextEffectComboBox", "General", &l.TextEffects, "Outline", &TCalendarSkin::TextEffect),
      IntList("OutlineThickness", "CalendarOutlineThicknessComboBox", "General", &l.OneToFive, "2", &TCalendarSkin::OutlineThickness),
      Check("ShowBack", "ShowCalendarBackCheckBox", "Back", true, &TCalendarSkin::ShowBack),
      Check("SimpleBack", "SimpleCalendarBackCheckBox", "Back", true, &TCalendarSkin::SimpleBack),
      IntList("CalendarOtherMonthsWeeks", "CalendarOtherMonthsWeeksComboBox", "General", &l.ZeroToFour, "1", &TCalendarSkin::CalendarOtherMonthsWeeks),
      Check("FirstDayIsMonday", "FirstDayIsMondayCheckBox", "General", true, &TCalendarSkin::FirstDayIsMonday),
      IntList("HorizontalMarginSpacing", "CalendarHorizontalMarginSpacingComboBox", "General", &l.Spacings, "25", &TCalendarSkin::HorizontalMarginSpacing),
      IntList("VerticalMarginSpacing", "CalendarVerticalMarginSpacingComboBox", "General", &l.Spacings, "25", &TCalendarSkin::VerticalMarginSpacing),
      IntList("YMBottomSpace", "CalendarYMBottomSpaceComboBox", "Header", &l.Spacings, "10", &TCalendarSkin::YMBottomSpace),
      IntList("DOWBottomSpace", "CalendarDOWBottomSpaceComboBox", "Header", &l.Spacings, "10", &TCalendarSkin::DOWBottomSpace),
      IntList("HorizontalCenterShift", "CalendarHorizontalCenterShiftComboBox", "Back", &l.Percents, "50", &TCalendarSkin::HorizontalCenterShift),
      IntList("VerticalCenterShift", "CalendarVerticalCenterShiftComboBox", "Back", &l.Percents, "50", &TCalendarSkin::VerticalCenterShift),
      IntList("HorizontalCenterFocus", "CalendarHorizontalCenterFocusComboBox", "Back", &l.Percents, "0", &TCalendarSkin::HorizontalCenterFocus),
      IntList("VerticalCenterFocus", "CalendarVerticalCenterFocusComboBox", "Back", &l.Percents, "0", &TCalendarSkin::VerticalCenterFocus),
      Check("OvalBack", "CalendarOvalBackCheckBox", "Back", false, &TCalendarSkin::OvalBack),
      IntList("OvalBackEccentricity", "CalendarOvalBackEccentricityComboBox", "Back", &l.Eccentricities, "100", &TCalendarSkin::OvalBackEccentricity),
      Translucency("TextShadowTranslucency", "CalendarTextShadowTranslucencyComboBox", "General", "0", &TCalendarSkin::TextShadowTranslucency),
      Translucency("TodayMarginTranslucency", "CalendarTodayMarginTranslucencyComboBox", "Days", "0", &TCalendarSkin::TodayMarginTranslucency),
      Translucency("TodayBackTranslucency", "CalendarTodayBackTranslucencyComboBox", "Days", "30", &TCalendarSkin::TodayBackTranslucency),
      Translucency("FrameBriskMarginTranslucency", "CalendarFrameBriskMarginTranslucencyComboBox", "Back colors", "0", &TCalendarSkin::FrameBriskMarginTranslucency),
      Translucency("FrameBack1Translucency", "CalendarFrameBack1TranslucencyComboBox", "Back colors", "0", &TCalendarSkin::FrameBack1Translucency),
      Translucency("FrameBack2Translucency", "CalendarFrameBack2TranslucencyComboBox", "Back colors", "0", &TCalendarSkin::FrameBack2Translucency),
      Translucency("FrameBack3Translucency", "CalendarFrameBack3TranslucencyComboBox", "Back colors", "0", &TCalendarSkin::FrameBack3Translucency),
      Translucency("FrameBack4Translucency", "CalendarFrameBack4TranslucencyComboBox", "Back colors", "0", &TCalendarSkin::FrameBack4Translucency),
      Translucency("FrameBack5Translucency", "CalendarFrameBack5TranslucencyComboBox", "Back colors", "70", &TCalendarSkin::FrameBack5Translucency),
      Translucency("FrameBack6Translucency", "CalendarFrameBack6TranslucencyComboBox", "Back colors", "60", &TCalendarSkin::FrameBack6Translucency),
      Translucency("FrameBack7Translucency", "CalendarFrameBack7TranslucencyComboBox", "Back colors", "60", &TCalendarSkin::FrameBack7Translucency),
      Translucency("FrameCenterTranslucency", "CalendarFrameCenterTranslucencyComboBox", "Back colors", "50", &TCalendarSkin::FrameCenterTranslucency),
      IntList("FrameBackThick12", "CalendarFrameBackThick12ComboBox", "Back colors", &l.Thicknesses, "2", &TCalendarSkin::FrameBackThick12),
      IntList("FrameBackThick23", "CalendarFrameBackThick23ComboBox", "Back colors", &l.Thicknesses, "4", &TCalendarSkin::FrameBackThick23),
      IntList("FrameBackThick34", "CalendarFrameBackThick34ComboBox", "Back colors", &l.Thicknesses, "2", &TCalendarSkin::FrameBackThick34),
      IntList("FrameBackThick45", "CalendarFrameBackThick45ComboBox", "Back colors", &l.Thicknesses, "1", &TCalendarSkin::FrameBackThick45),
      IntList("FrameBackThick56", "CalendarFrameBackThick56ComboBox", "Back colors", &l.Thicknesses, "20", &TCalendarSkin::FrameBackThick56),
      IntList("FrameBackThick67", "CalendarFrameBackThick67ComboBox", "Back colors", &l.Thicknesses, "20", &TCalendarSkin::FrameBackThick67),
      Translucency("SeparatorLeftTranslucency", "CalendarSeparatorLeftTranslucencyComboBox", "Header", "50", &TCalendarSkin::SeparatorLeftTranslucency),
      Translucency("SeparatorRightTranslucency", "CalendarSeparatorRightTranslucencyComboBox", "Header", "50", &TCalendarSkin::SeparatorRightTranslucency),
      IntList("SeparatorThickness", "CalendarSeparatorThicknessComboBox", "Header", &l.OneToFive, "2", &TCalendarSkin::SeparatorThickness),
      Font("YearTextFont", "CalendarYearTextFontComboBox", "Year", "Arial", &TCalendarSkin::YearTextFont),
      IntList("YearTextSize", "CalendarYearTextSizeComboBox", "Year", &l.LargeFontSizes, "15", &TCalendarSkin::YearTextSize),
      Check("YearBoldText", "CalendarYearBoldTextCheckBox", "Year", true, &TCalendarSkin::YearBoldText),
      Check("YearItalicText", "CalendarYearItalicTextCheckBox", "Year", true, &TCalendarSkin::YearItalicText),
      Translucency("YearTextTranslucency", "CalendarYearTextTranslucencyComboBox", "Year", "0", &TCalendarSkin::YearTextTranslucency),
      IntList("YearHSS", "CalendarYearHSSComboBox", "Year", &l.ShadowShifts, "1", &TCalendarSkin::YearHSS),
      IntList("YearVSS", "CalendarYearVSSComboBox", "Year", &l.ShadowShifts, "-1", &TCalendarSkin::YearVSS),
      Font("MonthTextFont", "CalendarMonthTextFontComboBox", "Month", "Arial", &TCalendarSkin::MonthTextFont),
      IntList("MonthTextSize", "CalendarMonthTextSizeComboBox", "Month", &l.LargeFontSizes, "20", &TCalendarSkin::MonthTextSize),
      Check("MonthBoldText", "CalendarMonthBoldTextCheckBox", "Month", true, &TCalendarSkin::MonthBoldText),
      Check("MonthItalicText", "CalendarMonthItalicTextCheckBox", "Month", false, &TCalendarSkin::MonthItalicText),
      Translucency("MonthTextTranslucency", "CalendarMonthTextTranslucencyComboBox", "Month", "0", &TCalendarSkin::MonthTextTranslucency),
      IntList("MonthHSS", "CalendarMonthHSSComboBox", "Month", &l.ShadowShifts, "2", &TCalendarSkin::MonthHSS),
      IntList("MonthVSS", "CalendarMonthVSSComboBox", "Month", &l.ShadowShifts, "-2", &TCalendarSkin::MonthVSS),
      Font("DayOfWeekTextFont", "CalendarDayOfWeekTextFontComboBox", "Day of week", "Arial", &TCalendarSkin::DayOfWeekTextFont),
      IntList("DayOfWeekTextSize", "CalendarDayOfWeekTextSizeComboBox", "Day of week", &l.SmallFontSizes, "12", &TCalendarSkin::DayOfWeekTextSize),
      Check("DayOfWeekBoldText", "CalendarDayOfWeekBoldTextCheckBox", "Day of week", true, &TCalendarSkin::DayOfWeekBoldText),
      Check("DayOfWeekItalicText", "CalendarDayOfWeekItalicTextCheckBox", "Day of week", true, &TCalendarSkin::DayOfWeekItalicText),
      Translucency("DayOfWeekWeekdayTextTranslucency", "CalendarDayOfWeekWeekdayTextTranslucencyComboBox", "Day of week", "0", &TCalendarSkin::DayOfWeekWeekdayTextTranslucency),
      Translucency("DayOfWeekWeekendTextTranslucency", "CalendarDayOfWeekWeekendTextTranslucencyComboBox", "Day of week", "0", &TCalendarSkin::DayOfWeekWeekendTextTranslucency),
      IntList("DayOfWeekHSS", "CalendarDayOfWeekHSSComboBox", "Day of week", &l.ShadowShifts, "1", &TCalendarSkin::DayOfWeekHSS),
      IntList("DayOfWeekVSS", "CalendarDayOfWeekVSSComboBox", "Day of week", &l.ShadowShifts, "-1", &TCalendarSkin::DayOfWeekVSS),
      Font("DaysTextFont", "CalendarDaysTextFontComboBox", "Days", "Arial", &TCalendarSkin::DaysTextFont),
      IntList("DaysTextSize", "CalendarDaysTextSizeComboBox", "Days", &l.SmallFontSizes, "12", &TCalendarSkin::DaysTextSize),
      Check("DaysBoldText", "CalendarDaysBoldTextCheckBox", "Days", true, &TCalendarSkin::DaysBoldText),
      Check("DaysItalicText", "CalendarDaysItalicTextCheckBox", "Days", false, &TCalendarSkin::DaysItalicText),
      Translucency("CurrentMonthWeekdayTextTranslucency", "CalendarCurrentMonthWeekdayTextTranslucencyComboBox", "Days", "0", &TCalendarSkin::CurrentMonthWeekdayTextTranslucency),
      Translucency("CurrentMonthWeekendTextTranslucency", "CalendarCurrentMonthWeekendTextTranslucencyComboBox", "Days", "0", &TCalendarSkin::CurrentMonthWeekendTextTranslucency),
      Translucency("OtherMonthsWeekdayTextTranslucency", "CalendarOtherMonthsWeekdayTextTranslucencyComboBox", "Days", "0", &TCalendarSkin::OtherMonthsWeekdayTextTranslucency),
      Translucency("OtherMonthsWeekendTextTranslucency", "CalendarOtherMonthsWeekendTextTranslucencyComboBox", "Days", "0", &TCalendarSkin::OtherMonthsWeekendTextTranslucency),
      IntList("DaysHSS", "CalendarDaysHSSComboBox", "Days", &l.ShadowShifts, "1", &TCalendarSkin::DaysHSS),
      IntList("DaysVSS", "CalendarDaysVSSComboBox", "Days", &l.ShadowShifts, "-1", &TCalendarSkin::DaysVSS),
      Color("TextShadowColor", "CalendarTextShadowColorPanel", "General", 0, &TCalendarSkin::TextShadowColor),
      Color("TodayMarginColor", "CalendarTodayMarginColorPanel", "Days", 0, &TCalendarSkin::TodayMarginColor),
      Color("TodayBackColor", "CalendarTodayBackColorPanel", "Days", 1666745, &TCalendarSkin::TodayBackColor),
      Color("FrameBriskMarginColor", "CalendarFrameBriskMarginColorPanel", "Back colors", 3289650, &TCalendarSkin::FrameBriskMarginColor),
      Color("FrameBack1Color", "CalendarFrameBack1ColorPanel", "Back colors", 1973790, &TCalendarSkin::FrameBack1Color),
      Color("FrameBack2Color", "CalendarFrameBack2ColorPanel", "Back colors", 9868950, &TCalendarSkin::FrameBack2Color),
      Color("FrameBack3Color", "CalendarFrameBack3ColorPanel", "Back colors", 3289650, &TCalendarSkin::FrameBack3Color),
      Color("FrameBack4Color", "CalendarFrameBack4ColorPanel", "Back colors", 7237230, &TCalendarSkin::FrameBack4Color),
      Color("FrameBack5Color", "CalendarFrameBack5ColorPanel", "Back colors", 11811890, &TCalendarSkin::FrameBack5Color),
      Color("FrameBack6Color", "CalendarFrameBack6ColorPanel", "Back colors", 16422480, &TCalendarSkin::FrameBack6Color),
      Color("FrameBack7Color", "CalendarFrameBack7ColorPanel", "Back colors", 16422480, &TCalendarSkin::FrameBack7Color),
      Color("FrameCenterColor", "CalendarFrameCenterColorPanel", "Back colors", 15790290, &TCalendarSkin::FrameCenterColor),
      Color("SeparatorLeftColor", "CalendarSeparatorLeftColorPanel", "Header", 16777215, &TCalendarSkin::SeparatorLeftColor),
      Color("SeparatorRightColor", "CalendarSeparatorRightColorPanel", "Header", 0, &TCalendarSkin::SeparatorRightColor),
      Color("YearTextColor", "CalendarYearTextColorPanel", "Year", 1666745, &TCalendarSkin::YearTextColor),
      Color("MonthTextColor", "CalendarMonthTextColorPanel", "Month", 1666745, &TCalendarSkin::MonthTextColor),
      Color("DayOfWeekWeekdayTextColor", "CalendarDayOfWeekWeekdayTextColorPanel", "Day of week", 16777215, &TCalendarSkin::DayOfWeekWeekdayTextColor),
      Color("DayOfWeekWeekendTextColor", "CalendarDayOfWeekWeekendTextColorPanel", "Day of week", 170, &TCalendarSkin::DayOfWeekWeekendTextColor),
      Color("CurrentMonthWeekdayTextColor", "CalendarCurrentMonthWeekdayTextColorPanel", "Days", 16777215, &TCalendarSkin::CurrentMonthWeekdayTextColor),
      Color("CurrentMonthWeekendTextColor", "CalendarCurrentMonthWeekendTextColorPanel", "Days", 170, &TCalendarSkin::CurrentMonthWeekendTextColor),
      Color("OtherMonthsWeekdayTextColor", "CalendarOtherMonthsWeekdayTextColorPanel", "Days", 9868950, &TCalendarSkin::OtherMonthsWeekdayTextColor),
      Color("OtherMonthsWeekendTextColor", "CalendarOtherMonthsWeekendTextColorPanel", "Days", 4276610, &TCalendarSkin::OtherMonthsWeekendTextColor),
  };
  // clang-format on
}

}  // namespace

bool SameListText(const std::string& a, const std::string& b) { return SameTextAscii(a, b); }

const std::vector<TSkinParameter>& SkinParameters() {
  static const std::vector<TSkinParameter> table = MakeTable();
  return table;
}

const std::vector<std::string>& SkinParameterItems(const TSkinParameter& parameter,
                                                   const std::vector<std::string>& fontNames) {
  static const TItems none;
  if (parameter.Kind == TSkinParameterKind::FontName) return fontNames;
  return parameter.Items ? *parameter.Items : none;
}

std::string SelectListItem(const std::vector<std::string>& items, const std::string& text) {
  for (const std::string& item : items)
    if (SameListText(item, text)) return item;
  return items.empty() ? std::string() : items.front();
}

std::string SkinValueText(const TCalendarSkin& skin, const TSkinParameter& parameter) {
  switch (parameter.Kind) {
    case TSkinParameterKind::IntList:
    case TSkinParameterKind::Translucency:
      return std::to_string(skin.*parameter.IntValue);
    case TSkinParameterKind::FontName:
    case TSkinParameterKind::Choice:
      return skin.*parameter.TextValue;
    case TSkinParameterKind::Bool:
      return skin.*parameter.BoolValue ? "TRUE" : "FALSE";
    case TSkinParameterKind::Color:
      // As a signed 32-bit number, so that a system colour (top bit set) reads back.
      return std::to_string(static_cast<int32_t>(skin.*parameter.ColorValue));
  }
  return std::string();
}

void SetSkinListValue(TCalendarSkin& skin, const TSkinParameter& parameter,
                      const std::string& itemText) {
  if (parameter.IntValue)
    skin.*parameter.IntValue = static_cast<int>(std::strtol(itemText.c_str(), nullptr, 10));
  else if (parameter.TextValue)
    skin.*parameter.TextValue = itemText;
}

TCalendarSkin DefaultCalendarSkin(const std::vector<std::string>& fontNames) {
  TCalendarSkin skin;
  for (const TSkinParameter& parameter : SkinParameters()) {
    if (parameter.IsList())
      SetSkinListValue(
          skin, parameter,
          SelectListItem(SkinParameterItems(parameter, fontNames), parameter.DefaultText));
    else if (parameter.Kind == TSkinParameterKind::Bool)
      skin.*parameter.BoolValue = std::string(parameter.DefaultText) == "TRUE";
    else
      skin.*parameter.ColorValue = parameter.DefaultColor;
  }
  return skin;
}
