#include <gtest/gtest.h>

#include "core/trace/FunStatus.h"
#include "core/calendar/PaintPrimitives.h"
#include "tests/core/RecordingCanvas.h"

namespace {

TEST(PaintPrimitivesTest, TranslucencyToAlphaRoundsHalfUpAndClamps) {
  const int percents[] = {0, 5, 10, 15, 20, 25, 30, 40, 50, 60, 70, 75, 80, 90, 95, 100};
  const int alphas[] = {255, 242, 230, 217, 204, 191, 179, 153, 128, 102, 77, 64, 51, 26, 13, 0};
  for (size_t i = 0; i < sizeof percents / sizeof percents[0]; ++i)
    EXPECT_EQ(TranslucencyToAlpha(percents[i]), alphas[i]) << percents[i];
  EXPECT_EQ(TranslucencyToAlpha(-5), 255);
  EXPECT_EQ(TranslucencyToAlpha(120), 0);
}

TEST(PaintPrimitivesTest, MakeArgbSwapsRedAndBlueAndIgnoresTheTopByte) {
  EXPECT_EQ(MakeArgb(0x000000FFu, 0), 0xFFFF0000u);
  EXPECT_EQ(MakeArgb(0x00112233u, 50), 0x80332211u);
  EXPECT_EQ(MakeArgb(0xAB112233u, 100), 0x00332211u);
}

TPaintTextArgs SampleText() {
  TPaintTextArgs args;
  args.Text = "15";
  args.FontName = "Arial";
  args.Layout = TRectF{10, 20, 36, 24};
  args.Size = 12;
  args.Bold = true;
  args.HorizontalAlignment = TStringAlignment::Center;
  args.VerticalAlignment = TStringAlignment::Far;
  args.TextColor = 0x00FFFFFF;
  args.ShadowColor = 0x000000AA;
  args.HorizontalShadowShift = 2;
  args.VerticalShadowShift = -1;
  args.OutlineThickness = 3;
  return args;
}

TEST(PaintPrimitivesTest, PlainTextDrawsTheShadowFirstAtTheShiftedRectangle) {
  TPaintTextArgs args = SampleText();
  args.Shadow = true;
  args.Outline = true;  // the shadow wins: no outline
  args.ShadowTranslucency = 50;
  TRecordingCanvas canvas;
  PaintText(canvas, args);
  ASSERT_EQ(canvas.Lines(), (std::vector<std::string>{"DrawString '15' 12,19 36x24",
                                                      "DrawString '15' 10,20 36x24"}));
  EXPECT_EQ(canvas.Calls[0].Color, 0x80AA0000u);
  EXPECT_EQ(canvas.Calls[1].Color, 0xFFFFFFFFu);
  EXPECT_EQ(canvas.Calls[1].Font.Name, "Arial");
  EXPECT_EQ(canvas.Calls[1].Font.Size, 12);
  EXPECT_EQ(FontStyleOf(canvas.Calls[1].Font), 1);
  EXPECT_EQ(canvas.Calls[1].Alignment.Horizontal, TStringAlignment::Center);
  EXPECT_EQ(canvas.Calls[1].Alignment.Vertical, TStringAlignment::Far);

  // Effect "None": only the text; the shadow colour plays no part.
  args.Shadow = false;
  args.Outline = false;
  canvas.Calls.clear();
  PaintText(canvas, args);
  EXPECT_EQ(canvas.Lines(), (std::vector<std::string>{"DrawString '15' 10,20 36x24"}));
}

TEST(PaintPrimitivesTest, InvisibleTextLeavesItsShadowOrOutline) {
  TPaintTextArgs args = SampleText();
  args.Shadow = true;
  args.TextTranslucency = 100;
  TRecordingCanvas canvas;
  PaintText(canvas, args);
  ASSERT_EQ(canvas.Lines(), (std::vector<std::string>{"DrawString '15' 12,19 36x24"}));
  EXPECT_EQ(canvas.Calls[0].Color, 0xFFAA0000u);

  args.Shadow = false;
  args.Outline = true;
  canvas.Calls.clear();
  PaintText(canvas, args);
  ASSERT_EQ(canvas.Lines(), (std::vector<std::string>{"PaintGlyphPath '15' 10,20 36x24"}));
  EXPECT_TRUE(canvas.Calls[0].Glyphs.Stroke);
  EXPECT_FALSE(canvas.Calls[0].Glyphs.Fill);

  // Both invisible: nothing at all.
  args.ShadowTranslucency = 100;
  canvas.Calls.clear();
  PaintText(canvas, args);
  EXPECT_TRUE(canvas.Calls.empty());
}

TEST(PaintPrimitivesTest, OutlineStrokesWithTheShadowColourAndThicknessThenFills) {
  TPaintTextArgs args = SampleText();
  args.Outline = true;
  args.TextTranslucency = 50;
  TRecordingCanvas canvas;
  PaintText(canvas, args);
  ASSERT_EQ(canvas.Calls.size(), 1u);
  const TGlyphPaint& paint = canvas.Calls[0].Glyphs;
  EXPECT_TRUE(paint.Stroke);
  EXPECT_EQ(paint.PenColor, 0xFFAA0000u);
  EXPECT_EQ(paint.PenWidth, 3.0f);
  EXPECT_TRUE(paint.Fill);
  EXPECT_EQ(paint.FillColor, 0x80FFFFFFu);

  // An invisible outline leaves the filled text only.
  args.ShadowTranslucency = 100;
  canvas.Calls.clear();
  PaintText(canvas, args);
  ASSERT_EQ(canvas.Calls.size(), 1u);
  EXPECT_FALSE(canvas.Calls[0].Glyphs.Stroke);
  EXPECT_TRUE(canvas.Calls[0].Glyphs.Fill);
}

TEST(PaintPrimitivesTest, BackBoxIsFilledAndFramedBeforeTheTextAndAloneForAnEmptyText) {
  TPaintTextArgs args = SampleText();
  args.BackBox = true;
  args.BackBoxFillColor = 0x00196EB9;
  args.BackBoxFillTranslucency = 30;
  args.BackBoxMarginColor = 0x00000000;
  TRecordingCanvas canvas;
  PaintText(canvas, args);
  EXPECT_EQ(canvas.Lines(), (std::vector<std::string>{"FillShape Rectangle 10,20 36x24 B3B96E19",
                                                      "DrawShape Rectangle 10,20 36x24 FF000000 w1",
                                                      "DrawString '15' 10,20 36x24"}));
  args.Text.clear();
  canvas.Calls.clear();
  PaintText(canvas, args);
  EXPECT_EQ(canvas.Calls.size(), 2u);
}

TEST(PaintPrimitivesTest, ACanvasFailureIsRecordedNotThrown) {
  TRecordingCanvas canvas;
  canvas.ThrowOn = "DrawString";
  PaintText(canvas, SampleText());
  EXPECT_EQ(FunStatContext.Function, "PaintText");
  EXPECT_EQ(FunStatContext.Description, "Unhandled exception: no DrawString");
}

TEST(PaintPrimitivesTest, GetFontHeightMeasuresThroughTheCanvas) {
  TRecordingCanvas canvas;
  canvas.FontHeight = 17;
  EXPECT_EQ(GetFontHeight(canvas, TFontSpec{"Arial", 12, false, false}), 17);
  EXPECT_EQ(FunStatContext.Status, Perfect);

  canvas.CanMeasure = false;
  EXPECT_EQ(GetFontHeight(canvas, TFontSpec{"Arial", 12, false, false}), 0);
  EXPECT_EQ(FunStatContext.Status, Error);
  EXPECT_EQ(FunStatContext.Function, "GetFontHeight");
  EXPECT_EQ(FunStatContext.Description, "Failed to get device context.");
}

}  // namespace
