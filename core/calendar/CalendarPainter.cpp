#include "core/calendar/CalendarPainter.h"

#include <algorithm>
#include <vector>

#include "core/calendar/CalendarLayout.h"
#include "core/trace/FunStatus.h"
#include "core/calendar/PaintPrimitives.h"
#include "core/calendar/SkinParameters.h"

namespace {

TRectF ToRectF(const TBox& box) {
  return TRectF{static_cast<float>(box.Left), static_cast<float>(box.Top),
                static_cast<float>(box.Width()), static_cast<float>(box.Height())};
}

// The surface comes in high quality and is handed back so.
template <class Body>
void WithoutSmoothing(TCanvas& canvas, Body&& body) {
  canvas.SetSmoothingMode(TSmoothingMode::None);
  body();
  canvas.SetSmoothingMode(TSmoothingMode::HighQuality);
}

// Blend positions run from the edge (0) to the centre (1); each thickness is a
// percentage of that distance, and the running sum stops at the centre.
std::vector<TBlendStop> FrameBlend(const TCalendarSkin& s) {
  const uint32_t colors[8] = {s.FrameBack1Color, s.FrameBack2Color, s.FrameBack3Color,
                              s.FrameBack4Color, s.FrameBack5Color, s.FrameBack6Color,
                              s.FrameBack7Color, s.FrameCenterColor};
  const int translucencies[8] = {s.FrameBack1Translucency, s.FrameBack2Translucency,
                                 s.FrameBack3Translucency, s.FrameBack4Translucency,
                                 s.FrameBack5Translucency, s.FrameBack6Translucency,
                                 s.FrameBack7Translucency, s.FrameCenterTranslucency};
  const int thicknesses[6] = {s.FrameBackThick12, s.FrameBackThick23, s.FrameBackThick34,
                              s.FrameBackThick45, s.FrameBackThick56, s.FrameBackThick67};
  std::vector<TBlendStop> stops(8);
  int percent = 0;
  for (int i = 0; i < 8; ++i) {
    if (i == 7)
      percent = 100;
    else if (i > 0)
      percent = std::min(100, percent + thicknesses[i - 1]);
    stops[i] =
        TBlendStop{static_cast<float>(percent) / 100.0f, MakeArgb(colors[i], translucencies[i])};
  }
  return stops;
}

// The centre point lies at a percentage of the back's extent; the whole-number
// division cuts toward zero.
float CentreCoordinate(int start, int length, int shiftPercent) {
  return static_cast<float>(
      (static_cast<long long>(start) * 100 + static_cast<long long>(shiftPercent) * length) / 100);
}

TPathGradient FrameGradient(const TCalendarSkin& s, const TBox& back) {
  TPathGradient gradient;
  gradient.CenterPoint.X = CentreCoordinate(back.Left, back.Width(), s.HorizontalCenterShift);
  gradient.CenterPoint.Y = CentreCoordinate(back.Top, back.Height(), s.VerticalCenterShift);
  gradient.CenterColor = MakeArgb(s.FrameCenterColor, s.FrameCenterTranslucency);
  gradient.PresetBlend = FrameBlend(s);
  gradient.FocusScaleX = static_cast<float>(s.HorizontalCenterFocus) / 100.0f;
  gradient.FocusScaleY = static_cast<float>(s.VerticalCenterFocus) / 100.0f;
  return gradient;
}

void PaintBackground(TCanvas& canvas, const TCalendarSkin& s, const TCalendarLayout& layout) {
  const TShape back{s.OvalBack ? TShapeKind::Ellipse : TShapeKind::Rectangle,
                    ToRectF(layout.BackBox)};
  auto paint = [&] {
    if (s.SimpleBack)
      canvas.FillShape(back, MakeArgb(s.FrameBack5Color, s.FrameBack5Translucency));
    else
      canvas.FillShapeWithPathGradient(back, FrameGradient(s, layout.BackBox));
    // The brisk margin: a thin hard outline.
    canvas.DrawShape(back, MakeArgb(s.FrameBriskMarginColor, s.FrameBriskMarginTranslucency), 1.0f);
  };
  // The oval keeps its anti-aliasing; the rectangle gets crisp edges.
  if (s.OvalBack)
    paint();
  else
    WithoutSmoothing(canvas, paint);
}

// One text item's font and shadow shift.
struct TTextItem {
  const std::string& Font;
  int Size;
  bool Bold;
  bool Italic;
  int HorizontalShadowShift;
  int VerticalShadowShift;
};

// The text effect and its colours are the same for every text of a paint.
class TTextPainter {
 public:
  TTextPainter(TCanvas& canvas, const TCalendarSkin& s) : canvas_(canvas) {
    base_.Shadow = SameListText(s.TextEffect, "Shadow");
    base_.Outline = SameListText(s.TextEffect, "Outline");
    base_.ShadowColor = s.TextShadowColor;
    base_.ShadowTranslucency = s.TextShadowTranslucency;
    base_.OutlineThickness = s.OutlineThickness;
  }

  TPaintTextArgs Args(const std::string& text, const TTextItem& item, const TBox& box,
                      TStringAlignment horizontal, TStringAlignment vertical, uint32_t color,
                      int translucency) const {
    TPaintTextArgs args = base_;
    args.Text = text;
    args.FontName = item.Font;
    args.Layout = ToRectF(box);
    args.Size = item.Size;
    args.Bold = item.Bold;
    args.Italic = item.Italic;
    args.HorizontalAlignment = horizontal;
    args.VerticalAlignment = vertical;
    args.TextColor = color;
    args.TextTranslucency = translucency;
    args.HorizontalShadowShift = item.HorizontalShadowShift;
    args.VerticalShadowShift = item.VerticalShadowShift;
    return args;
  }

  void Paint(const TPaintTextArgs& args) const { PaintText(canvas_, args); }

 private:
  TCanvas& canvas_;
  TPaintTextArgs base_;
};

void PaintHeader(const TTextPainter& text, const TCalendarSkin& s, const TCalendarLayout& layout,
                 const TCalendarNames& names) {
  const TTextItem year{s.YearTextFont,   s.YearTextSize, s.YearBoldText,
                       s.YearItalicText, s.YearHSS,      s.YearVSS};
  const TTextItem month{s.MonthTextFont,   s.MonthTextSize, s.MonthBoldText,
                        s.MonthItalicText, s.MonthHSS,      s.MonthVSS};
  const TDateParts& today = layout.Grid.Today;
  text.Paint(text.Args(std::to_string(today.Year), year, layout.HeaderBox, TStringAlignment::Far,
                       TStringAlignment::Far, s.YearTextColor, s.YearTextTranslucency));
  text.Paint(text.Args(names.LongMonthNames[today.Month - 1], month, layout.HeaderBox,
                       TStringAlignment::Near, TStringAlignment::Far, s.MonthTextColor,
                       s.MonthTextTranslucency));
}

void PaintDayOfWeekRow(const TTextPainter& text, const TCalendarSkin& s,
                       const TCalendarLayout& layout, const TCalendarNames& names) {
  const TTextItem item{s.DayOfWeekTextFont,   s.DayOfWeekTextSize, s.DayOfWeekBoldText,
                       s.DayOfWeekItalicText, s.DayOfWeekHSS,      s.DayOfWeekVSS};
  for (int weekday = 0; weekday < 7; ++weekday) {  // Monday first
    const int column = s.FirstDayIsMonday ? weekday : (weekday + 1) % 7;
    const bool weekend = weekday >= 5;
    text.Paint(text.Args(
        names.ShortDayNames[weekday], item, DayOfWeekBox(layout, column), TStringAlignment::Center,
        TStringAlignment::Far, weekend ? s.DayOfWeekWeekendTextColor : s.DayOfWeekWeekdayTextColor,
        weekend ? s.DayOfWeekWeekendTextTranslucency : s.DayOfWeekWeekdayTextTranslucency));
  }
}

void PaintSeparator(TCanvas& canvas, const TCalendarSkin& s, const TCalendarLayout& layout) {
  TLinearGradient gradient;
  gradient.StartColor = MakeArgb(s.SeparatorLeftColor, s.SeparatorLeftTranslucency);
  gradient.EndColor = MakeArgb(s.SeparatorRightColor, s.SeparatorRightTranslucency);
  gradient.AngleDegrees = 0.01f;
  gradient.AngleScalable = false;
  gradient.WrapMode = TWrapMode::Tile;
  WithoutSmoothing(
      canvas, [&] { canvas.FillRectWithLinearGradient(ToRectF(layout.SeparatorBox), gradient); });
}

void PaintDays(const TTextPainter& text, const TCalendarSkin& s, const TCalendarLayout& layout) {
  const TTextItem item{s.DaysTextFont,   s.DaysTextSize, s.DaysBoldText,
                       s.DaysItalicText, s.DaysHSS,      s.DaysVSS};
  const TCalendarGrid& grid = layout.Grid;
  // The column is the cell's place in the grid; the grid start already
  // follows the first day of the week.
  for (int row = 0; row < grid.Rows; ++row) {
    for (int column = 0; column < 7; ++column) {
      const int dayCount = grid.GridStartDayCount + row * 7 + column;
      const TDateParts date = DecodeDateTime(dayCount);
      const bool weekend = date.DayOfWeek == 0 || date.DayOfWeek == 6;
      const bool currentMonth = date.Year == grid.Today.Year && date.Month == grid.Today.Month;
      uint32_t color;
      int translucency;
      if (currentMonth) {
        color = weekend ? s.CurrentMonthWeekendTextColor : s.CurrentMonthWeekdayTextColor;
        translucency =
            weekend ? s.CurrentMonthWeekendTextTranslucency : s.CurrentMonthWeekdayTextTranslucency;
      } else {
        color = weekend ? s.OtherMonthsWeekendTextColor : s.OtherMonthsWeekdayTextColor;
        translucency =
            weekend ? s.OtherMonthsWeekendTextTranslucency : s.OtherMonthsWeekdayTextTranslucency;
      }
      TPaintTextArgs args =
          text.Args(std::to_string(date.Day), item, DayCellBox(layout, row, column),
                    TStringAlignment::Center, TStringAlignment::Center, color, translucency);
      if (dayCount == grid.TodayDayCount) {
        args.BackBox = true;
        args.BackBoxMarginColor = s.TodayMarginColor;
        args.BackBoxMarginTranslucency = s.TodayMarginTranslucency;
        args.BackBoxFillColor = s.TodayBackColor;
        args.BackBoxFillTranslucency = s.TodayBackTranslucency;
      }
      text.Paint(args);
    }
  }
}

}  // namespace

TCalendarPaintResult PaintCalendar(TCanvas& canvas, const TCalendarSkin& skin,
                                   const TCalendarScene& scene, TCalendarPlacement& placement,
                                   double& lastRedrawTime) {
  FUN_TRACE("TMainForm::PaintCalendar");
  TCalendarPaintResult result;
  if (!scene.ShowCalendar) return result;
  result.Painted = true;
  FUN_GUARD({
    const TCalendarLayout layout =
        LayOutCalendar(skin, scene.Now, scene.CalendarWorkArea, placement);
    result.CalendarBox = layout.CalendarBox;
    if (skin.ShowBack) PaintBackground(canvas, skin, layout);
    const TTextPainter text(canvas, skin);
    PaintHeader(text, skin, layout, scene.Names);
    PaintDayOfWeekRow(text, skin, layout, scene.Names);
    PaintSeparator(canvas, skin, layout);
    PaintDays(text, skin, layout);
  });
  lastRedrawTime = scene.Now;
  return result;
}
