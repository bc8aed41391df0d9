#include "core/calendar/PaintPrimitives.h"

#include <algorithm>

#include "core/trace/FunStatus.h"

int TranslucencyToAlpha(int translucencyPercent) {
  const int t = std::clamp(translucencyPercent, 0, 100);
  // (100 - t) * 255 / 100, an exact half rounded up.
  return ((100 - t) * 255 + 50) / 100;
}

TArgb MakeArgb(uint32_t color, int translucencyPercent) {
  const uint32_t alpha = static_cast<uint32_t>(TranslucencyToAlpha(translucencyPercent));
  const uint32_t red = color & 0xFFu;
  const uint32_t green = (color >> 8) & 0xFFu;
  const uint32_t blue = (color >> 16) & 0xFFu;
  return (alpha << 24) | (red << 16) | (green << 8) | blue;
}

namespace {

bool IsVisible(int translucencyPercent) { return translucencyPercent < 100; }

}  // namespace

void PaintText(TCanvas& canvas, const TPaintTextArgs& args) {
  FUN_TRACE("PaintText");
  FUN_GUARD({
    if (args.BackBox) {
      const TShape box{TShapeKind::Rectangle, args.Layout};
      canvas.FillShape(box, MakeArgb(args.BackBoxFillColor, args.BackBoxFillTranslucency));
      canvas.DrawShape(box, MakeArgb(args.BackBoxMarginColor, args.BackBoxMarginTranslucency),
                       1.0f);
    }
    // An empty text leaves nothing to draw beyond the back box.
    if (args.Text.empty()) return;

    const TFontSpec font{args.FontName, args.Size, args.Bold, args.Italic};
    const TTextAlignment alignment{args.HorizontalAlignment, args.VerticalAlignment};
    const TArgb textColor = MakeArgb(args.TextColor, args.TextTranslucency);
    const TArgb shadowColor = MakeArgb(args.ShadowColor, args.ShadowTranslucency);

    if (args.Shadow || !args.Outline) {
      if (args.Shadow && IsVisible(args.ShadowTranslucency)) {
        TRectF shadowRect = args.Layout;
        shadowRect.X += static_cast<float>(args.HorizontalShadowShift);
        shadowRect.Y += static_cast<float>(args.VerticalShadowShift);
        canvas.DrawString(args.Text, font, shadowRect, alignment, shadowColor);
      }
      if (IsVisible(args.TextTranslucency))
        canvas.DrawString(args.Text, font, args.Layout, alignment, textColor);
      return;
    }

    TGlyphPaint paint;
    paint.Stroke = IsVisible(args.ShadowTranslucency);
    paint.PenColor = shadowColor;
    paint.PenWidth = static_cast<float>(args.OutlineThickness);
    paint.Fill = IsVisible(args.TextTranslucency);
    paint.FillColor = textColor;
    if (paint.Stroke || paint.Fill)
      canvas.PaintGlyphPath(args.Text, font, args.Layout, alignment, paint);
  });
}

int GetFontHeight(TCanvas& canvas, const TFontSpec& font) {
  FUN_TRACE("GetFontHeight");
  int height = 0;
  FUN_GUARD({
    if (!canvas.MeasureFontHeight(font, height)) FUN_RAISE("Failed to get device context.");
  });
  return trace_.Failed() ? 0 : height;
}
