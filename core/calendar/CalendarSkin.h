// The values of the calendar's look, one member per skin key. The parameter
// table (SkinParameters.h) says how each member is stored, listed and
// defaulted; DefaultCalendarSkin gives the default set.
#pragma once

#include <cstdint>
#include <string>

struct TCalendarSkin {
  std::string TextEffect;  // "None", "Shadow" or "Outline"
  int OutlineThickness = 0;
  bool ShowBack = false;
  bool SimpleBack = false;
  int CalendarOtherMonthsWeeks = 0;
  bool FirstDayIsMonday = false;
  int HorizontalMarginSpacing = 0;
  int VerticalMarginSpacing = 0;
  int YMBottomSpace = 0;
  int DOWBottomSpace = 0;
  int HorizontalCenterShift = 0;
  int VerticalCenterShift = 0;
  int HorizontalCenterFocus = 0;
  int VerticalCenterFocus = 0;
  bool OvalBack = false;
  int OvalBackEccentricity = 0;
  int TextShadowTranslucency = 0;
  int TodayMarginTranslucency = 0;
  int TodayBackTranslucency = 0;
  int FrameBriskMarginTranslucency = 0;
  int FrameBack1Translucency = 0;
  int FrameBack2Translucency = 0;
  int FrameBack3Translucency = 0;
  int FrameBack4Translucency = 0;
  int FrameBack5Translucency = 0;
  int FrameBack6Translucency = 0;
  int FrameBack7Translucency = 0;
  int FrameCenterTranslucency = 0;
  int FrameBackThick12 = 0;
  int FrameBackThick23 = 0;
  int FrameBackThick34 = 0;
  int FrameBackThick45 = 0;
  int FrameBackThick56 = 0;
  int FrameBackThick67 = 0;
  int SeparatorLeftTranslucency = 0;
  int SeparatorRightTranslucency = 0;
  int SeparatorThickness = 0;

  std::string YearTextFont;
  int YearTextSize = 0;
  bool YearBoldText = false;
  bool YearItalicText = false;
  int YearTextTranslucency = 0;
  int YearHSS = 0;
  int YearVSS = 0;

  std::string MonthTextFont;
  int MonthTextSize = 0;
  bool MonthBoldText = false;
  bool MonthItalicText = false;
  int MonthTextTranslucency = 0;
  int MonthHSS = 0;
  int MonthVSS = 0;

  std::string DayOfWeekTextFont;
  int DayOfWeekTextSize = 0;
  bool DayOfWeekBoldText = false;
  bool DayOfWeekItalicText = false;
  int DayOfWeekWeekdayTextTranslucency = 0;
  int DayOfWeekWeekendTextTranslucency = 0;
  int DayOfWeekHSS = 0;
  int DayOfWeekVSS = 0;

  std::string DaysTextFont;
  int DaysTextSize = 0;
  bool DaysBoldText = false;
  bool DaysItalicText = false;
  int CurrentMonthWeekdayTextTranslucency = 0;
  int CurrentMonthWeekendTextTranslucency = 0;
  int OtherMonthsWeekdayTextTranslucency = 0;
  int OtherMonthsWeekendTextTranslucency = 0;
  int DaysHSS = 0;
  int DaysVSS = 0;

  // Colours 0x00BBGGRR.
  uint32_t TextShadowColor = 0;
  uint32_t TodayMarginColor = 0;
  uint32_t TodayBackColor = 0;
  uint32_t FrameBriskMarginColor = 0;
  uint32_t FrameBack1Color = 0;
  uint32_t FrameBack2Color = 0;
  uint32_t FrameBack3Color = 0;
  uint32_t FrameBack4Color = 0;
  uint32_t FrameBack5Color = 0;
  uint32_t FrameBack6Color = 0;
  uint32_t FrameBack7Color = 0;
  uint32_t FrameCenterColor = 0;
  uint32_t SeparatorLeftColor = 0;
  uint32_t SeparatorRightColor = 0;
  uint32_t YearTextColor = 0;
  uint32_t MonthTextColor = 0;
  uint32_t DayOfWeekWeekdayTextColor = 0;
  uint32_t DayOfWeekWeekendTextColor = 0;
  uint32_t CurrentMonthWeekdayTextColor = 0;
  uint32_t CurrentMonthWeekendTextColor = 0;
  uint32_t OtherMonthsWeekdayTextColor = 0;
  uint32_t OtherMonthsWeekendTextColor = 0;
};
