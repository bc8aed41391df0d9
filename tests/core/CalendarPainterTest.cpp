#include <gtest/gtest.h>

#include "core/calendar/CalendarPainter.h"
#include "core/trace/FunStatus.h"
#include "core/calendar/SkinParameters.h"
#include "tests/core/RecordingCanvas.h"

namespace {

constexpr double kSunday15March2009 = 39887.75;
constexpr double kFriday10April2009 = 39913.25;

TCalendarScene Scene(double now) {
  TCalendarScene scene;
  scene.ShowCalendar = true;
  scene.Now = now;
  scene.CalendarWorkArea = TBox{0, 0, 1280, 1004};
  scene.Names.LongMonthNames = {"January",   "February", "March",    "April",
                                "May",       "June",     "July",     "August",
                                "September", "October",  "November", "December"};
  scene.Names.ShortDayNames = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
  return scene;
}

struct TPaint {
  TRecordingCanvas Canvas;
  TCalendarPlacement Placement{0.1, 0.1, 0, 0};  // calendar at (128, 100)
  double LastRedrawTime = 1.0;
  TCalendarPaintResult Result;

  TPaint(const TCalendarSkin& skin, const TCalendarScene& scene) {
    Result = PaintCalendar(Canvas, skin, scene, Placement, LastRedrawTime);
  }
  // The calls after the separator: background, header and day names come first.
  std::vector<TRecordedCall> DayCalls() const {
    size_t i = 0;
    while (Canvas.Calls[i].Op != "FillRectWithLinearGradient") ++i;
    return std::vector<TRecordedCall>(Canvas.Calls.begin() + static_cast<long>(i) + 2,
                                      Canvas.Calls.end());
  }
};

TEST(CalendarPainterTest, HiddenCalendarTouchesNothing) {
  TCalendarScene scene = Scene(kFriday10April2009);
  scene.ShowCalendar = false;
  const TPaint paint(DefaultCalendarSkin({"Arial"}), scene);
  EXPECT_FALSE(paint.Result.Painted);
  EXPECT_TRUE(paint.Canvas.Calls.empty());
  EXPECT_EQ(paint.LastRedrawTime, 1.0);
  EXPECT_EQ(paint.Placement.RectWidth, 0.0);
}

TEST(CalendarPainterTest, DefaultSkinPaintsLayersInOrder) {
  const TPaint paint(DefaultCalendarSkin({"Arial"}), Scene(kFriday10April2009));
  EXPECT_TRUE(paint.Result.Painted);
  EXPECT_EQ(paint.Result.CalendarBox.Left, 128);
  EXPECT_EQ(paint.Result.CalendarBox.Top, 100);
  EXPECT_DOUBLE_EQ(paint.Placement.RectWidth, 302.0 / 1280);
  EXPECT_DOUBLE_EQ(paint.Placement.RectHeight, 277.0 / 1004);
  EXPECT_EQ(paint.LastRedrawTime, kFriday10April2009);

  const std::vector<std::string> lines = paint.Canvas.Lines();
  ASSERT_EQ(lines.size(), 16u + 49u + 2u);
  const std::vector<std::string> head(lines.begin(), lines.begin() + 16);
  EXPECT_EQ(head, (std::vector<std::string>{
                      "SetSmoothingMode None",
                      "FillShape Rectangle 128,100 302x277 4D323CB4",
                      "DrawShape Rectangle 128,100 302x277 FF323232 w1",
                      "SetSmoothingMode HighQuality",
                      "PaintGlyphPath '2009' 153,125 252x25",
                      "PaintGlyphPath 'April' 153,125 252x25",
                      "PaintGlyphPath 'Mon' 153,160 36x14",
                      "PaintGlyphPath 'Tue' 189,160 36x14",
                      "PaintGlyphPath 'Wed' 225,160 36x14",
                      "PaintGlyphPath 'Thu' 261,160 36x14",
                      "PaintGlyphPath 'Fri' 297,160 36x14",
                      "PaintGlyphPath 'Sat' 333,160 36x14",
                      "PaintGlyphPath 'Sun' 369,160 36x14",
                      "SetSmoothingMode None",
                      "FillRectWithLinearGradient 153,178 252x2",
                      "SetSmoothingMode HighQuality",
                  }));

  const TRecordedCall& year = paint.Canvas.Calls[4];
  EXPECT_EQ(year.Alignment.Horizontal, TStringAlignment::Far);
  EXPECT_EQ(year.Alignment.Vertical, TStringAlignment::Far);
  EXPECT_EQ(year.Font.Size, 15);
  EXPECT_TRUE(year.Font.Bold && year.Font.Italic);
  EXPECT_EQ(year.Glyphs.PenColor, 0xFF000000u);
  EXPECT_EQ(year.Glyphs.PenWidth, 2.0f);
  EXPECT_EQ(year.Glyphs.FillColor, 0xFFB96E19u);
  EXPECT_EQ(paint.Canvas.Calls[5].Alignment.Horizontal, TStringAlignment::Near);
  EXPECT_EQ(paint.Canvas.Calls[11].Glyphs.FillColor, 0xFFAA0000u);  // Saturday
  EXPECT_EQ(paint.Canvas.Calls[10].Glyphs.FillColor, 0xFFFFFFFFu);  // Friday

  const TLinearGradient& separator = paint.Canvas.Calls[14].LinearGradient;
  EXPECT_EQ(separator.StartColor, 0x80FFFFFFu);
  EXPECT_EQ(separator.EndColor, 0x80000000u);
  EXPECT_FLOAT_EQ(separator.AngleDegrees, 0.01f);
  EXPECT_FALSE(separator.AngleScalable);
  EXPECT_EQ(separator.WrapMode, TWrapMode::Tile);

  // Days: the grid starts on Monday 23 March, one week before the week of 1 April.
  const std::vector<TRecordedCall> days = paint.DayCalls();
  EXPECT_EQ(days[0].Text, "23");
  EXPECT_EQ(Describe(days[0].Rect), "153,184 36x24");
  EXPECT_EQ(days[0].Glyphs.FillColor, 0xFF969696u);  // other months, weekday
  EXPECT_EQ(days[5].Glyphs.FillColor, 0xFF824141u);  // other months, Saturday
  EXPECT_EQ(days[9].Text, "1");
  EXPECT_EQ(days[12].Glyphs.FillColor, 0xFFAA0000u);  // 4 April, a Saturday
  // Today, 10 April, is cell 18 (row 2, column 4), behind its back box.
  EXPECT_EQ(Describe(days[18].Shape), "Rectangle 297,232 36x24");
  EXPECT_EQ(days[18].Op + Hex(days[18].Color), "FillShapeB3B96E19");
  EXPECT_EQ(days[19].Op + Hex(days[19].Color), "DrawShapeFF000000");
  EXPECT_EQ(days[20].Text, "10");
  EXPECT_EQ(days.back().Text, "10");  // Sunday 10 May closes the extra week
}

TEST(CalendarPainterTest, SundayFirstMovesSundayToTheFirstColumn) {
  TCalendarSkin skin = DefaultCalendarSkin({"Arial"});
  skin.FirstDayIsMonday = false;
  skin.CalendarOtherMonthsWeeks = 0;
  const TPaint paint(skin, Scene(kSunday15March2009));
  const std::vector<TRecordedCall> names(paint.Canvas.Calls.begin() + 6,
                                         paint.Canvas.Calls.begin() + 13);
  EXPECT_EQ(names[0].Text, "Mon");
  EXPECT_EQ(names[0].Rect.X, 153 + 36);
  EXPECT_EQ(names[6].Text, "Sun");
  EXPECT_EQ(names[6].Rect.X, 153);
  EXPECT_EQ(names[6].Glyphs.FillColor, 0xFFAA0000u);

  const std::vector<TRecordedCall> days = paint.DayCalls();
  ASSERT_EQ(days.size(), 5u * 7u + 2u);
  EXPECT_EQ(days[0].Text, "1");
  EXPECT_EQ(days[0].Glyphs.FillColor, 0xFFAA0000u);  // 1 March, a Sunday
  EXPECT_EQ(days[14].Op, "FillShape");               // today, first column of row 2
  EXPECT_EQ(days[14].Shape.Bounds.X, 153);
  EXPECT_EQ(days[16].Text, "15");
}

TEST(CalendarPainterTest, GradientBackCarriesTheFrameBlendCentreAndFocus) {
  TCalendarSkin skin = DefaultCalendarSkin({"Arial"});
  skin.SimpleBack = false;
  skin.HorizontalCenterFocus = 20;
  skin.VerticalCenterFocus = 35;
  const TPaint paint(skin, Scene(kFriday10April2009));
  const std::vector<std::string> lines = paint.Canvas.Lines();
  EXPECT_EQ(lines[0], "SetSmoothingMode None");
  EXPECT_EQ(lines[1], "FillShapeWithPathGradient Rectangle 128,100 302x277");
  EXPECT_EQ(lines[2], "DrawShape Rectangle 128,100 302x277 FF323232 w1");
  EXPECT_EQ(lines[3], "SetSmoothingMode HighQuality");

  const TPathGradient& g = paint.Canvas.Calls[1].PathGradient;
  EXPECT_EQ(g.CenterPoint.X, 128 + 151);
  EXPECT_EQ(g.CenterPoint.Y, 100 + 138);  // 277 x 50 / 100 = 138.5, cut
  EXPECT_EQ(g.CenterColor, 0x80D2F0F0u);
  EXPECT_FLOAT_EQ(g.FocusScaleX, 0.2f);
  EXPECT_FLOAT_EQ(g.FocusScaleY, 0.35f);
  ASSERT_EQ(g.PresetBlend.size(), 8u);
  const float positions[8] = {0, 0.02f, 0.06f, 0.08f, 0.09f, 0.29f, 0.49f, 1};
  const TArgb colors[8] = {0xFF1E1E1E, 0xFF969696, 0xFF323232, 0xFF6E6E6E,
                           0x4D323CB4, 0x665096FA, 0x665096FA, 0x80D2F0F0};
  for (int i = 0; i < 8; ++i) {
    EXPECT_FLOAT_EQ(g.PresetBlend[i].Position, positions[i]) << i;
    EXPECT_EQ(g.PresetBlend[i].Color, colors[i]) << i;
  }

  // Thicknesses past 100: the later stops all sit at the centre.
  skin.FrameBackThick12 = 60;
  skin.FrameBackThick23 = 50;
  skin.HorizontalCenterShift = 0;
  skin.VerticalCenterShift = 100;
  const TPaint past(skin, Scene(kFriday10April2009));
  const TPathGradient& p = past.Canvas.Calls[1].PathGradient;
  EXPECT_FLOAT_EQ(p.PresetBlend[1].Position, 0.6f);
  for (int i = 2; i < 8; ++i) EXPECT_EQ(p.PresetBlend[i].Position, 1.0f) << i;
  EXPECT_EQ(p.CenterPoint.X, 128);
  EXPECT_EQ(p.CenterPoint.Y, 100 + 277);
}

TEST(CalendarPainterTest, OvalBackIsSmoothedAndFollowsTheCircle) {
  TCalendarSkin skin = DefaultCalendarSkin({"Arial"});
  skin.OvalBack = true;
  skin.SimpleBack = false;
  TPaint paint(skin, Scene(kFriday10April2009));
  std::vector<std::string> lines = paint.Canvas.Lines();
  EXPECT_EQ(lines[0], "FillShapeWithPathGradient Ellipse 74,34 410x410");
  EXPECT_EQ(lines[1], "DrawShape Ellipse 74,34 410x410 FF323232 w1");
  EXPECT_EQ(paint.Canvas.Calls[0].PathGradient.CenterPoint.X, 74 + 205);

  skin.SimpleBack = true;
  TPaint simple(skin, Scene(kFriday10April2009));
  lines = simple.Canvas.Lines();
  EXPECT_EQ(lines[0], "FillShape Ellipse 74,34 410x410 4D323CB4");
  EXPECT_EQ(lines[1], "DrawShape Ellipse 74,34 410x410 FF323232 w1");
  EXPECT_EQ(simple.Canvas.Named("SetSmoothingMode").size(), 2u);  // the separator's only

  skin.ShowBack = false;
  TPaint bare(skin, Scene(kFriday10April2009));
  EXPECT_EQ(bare.Canvas.Calls[0].Text, "2009");
}

TEST(CalendarPainterTest, InvisibleDayTextKeepsItsShadow) {
  TCalendarSkin skin = DefaultCalendarSkin({"Arial"});
  skin.TextEffect = "shadow";  // compared without regard to case
  skin.CurrentMonthWeekdayTextTranslucency = 100;
  const TPaint paint(skin, Scene(kFriday10April2009));
  EXPECT_TRUE(paint.Canvas.Named("PaintGlyphPath").empty());
  const std::vector<TRecordedCall> days = paint.DayCalls();
  size_t today = 0;
  while (days[today].Op != "FillShape") ++today;
  // Today (a Friday): back box, then the shadow alone, moved by (1, -1).
  EXPECT_EQ(days[today + 2].Op, "DrawString");
  EXPECT_EQ(days[today + 2].Text, "10");
  EXPECT_EQ(Describe(days[today + 2].Rect), "298,231 36x24");
  EXPECT_EQ(days[today + 2].Color, 0xFF000000u);
  EXPECT_EQ(days[today + 3].Text, "11");  // Saturday: shadow and text
  EXPECT_EQ(days[today + 4].Text, "11");
  EXPECT_EQ(days[today + 4].Color, 0xFFAA0000u);
  // Every weekday of the month shows its shadow only: 22 weekdays in April 2009.
  int aprilWeekdayShadows = 0;
  for (size_t i = 0; i + 1 < days.size(); ++i)
    if (days[i].Op == "DrawString" && days[i + 1].Text != days[i].Text &&
        (i == 0 || days[i - 1].Text != days[i].Text))
      ++aprilWeekdayShadows;
  EXPECT_EQ(aprilWeekdayShadows, 22);
}

TEST(CalendarPainterTest, TodayIsFoundWithTwoExtraWeeks) {
  TCalendarSkin skin = DefaultCalendarSkin({"Arial"});
  skin.CalendarOtherMonthsWeeks = 2;
  const TPaint paint(skin, Scene(kSunday15March2009));
  EXPECT_EQ(paint.Result.CalendarBox.Height(), 10 * 24 + 50 + 59);
  const std::vector<TRecordedCall> boxes = paint.Canvas.Named("FillShape");
  // The simple back, then exactly one back box: row 4, last column.
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(Describe(boxes[1].Shape), "Rectangle 369,280 36x24");
  const std::vector<TRecordedCall> texts = paint.Canvas.Named("PaintGlyphPath");
  const std::vector<TRecordedCall> days(texts.end() - 70, texts.end());
  EXPECT_EQ(days[0].Text, "9");  // Monday 9 February
  EXPECT_EQ(days[34].Text, "15");
  EXPECT_EQ(days[34].Glyphs.FillColor, 0xFFAA0000u);
  EXPECT_EQ(days[69].Glyphs.FillColor, 0xFF824141u);  // Sunday 19 April
  for (int i = 0; i < 20; ++i) EXPECT_NE(days[i].Glyphs.FillColor, 0xFFFFFFFFu) << i;
}

TEST(CalendarPainterTest, AFailingCanvasIsReportedAndTheRedrawTimeStillSet) {
  TCalendarScene scene = Scene(kFriday10April2009);
  TRecordingCanvas canvas;
  canvas.ThrowOn = "SetSmoothingMode";
  TCalendarPlacement placement{0.1, 0.1, 0, 0};
  double lastRedrawTime = 0;
  PaintCalendar(canvas, DefaultCalendarSkin({"Arial"}), scene, placement, lastRedrawTime);
  EXPECT_EQ(FunStatContext.Status, Error);
  EXPECT_EQ(FunStatContext.Function, "TMainForm::PaintCalendar");
  EXPECT_EQ(FunStatContext.Description, "Unhandled exception: no SetSmoothingMode");
  EXPECT_EQ(lastRedrawTime, kFriday10April2009);
  EXPECT_GT(placement.RectWidth, 0.0);
}

}  // namespace
