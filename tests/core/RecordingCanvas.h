// A canvas that records every call with its arguments, for tests of what the
// calendar paints.
#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/calendar/Canvas.h"

struct TRecordedCall {
  std::string Op;  // the method's name
  TSmoothingMode Smoothing = TSmoothingMode::HighQuality;
  TShape Shape;
  TRectF Rect;  // layout of a text, or the linear gradient's rectangle
  TArgb Color = 0;
  float PenWidth = 0;
  std::string Text;
  TFontSpec Font;
  TTextAlignment Alignment;
  TPathGradient PathGradient;
  TLinearGradient LinearGradient;
  TGlyphPaint Glyphs;
};

inline std::string Hex(TArgb color) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%08X", color);
  return buffer;
}

inline std::string Describe(const TRectF& r) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "%g,%g %gx%g", r.X, r.Y, r.Width, r.Height);
  return buffer;
}

inline std::string Describe(const TShape& s) {
  return std::string(s.Kind == TShapeKind::Ellipse ? "Ellipse " : "Rectangle ") +
         Describe(s.Bounds);
}

class TRecordingCanvas : public TCanvas {
 public:
  std::vector<TRecordedCall> Calls;
  int FontHeight = 0;
  bool CanMeasure = true;
  std::string ThrowOn;  // a method name that throws when called

  void SetSmoothingMode(TSmoothingMode mode) override {
    TRecordedCall& call = Record("SetSmoothingMode");
    call.Smoothing = mode;
  }
  void FillShape(const TShape& shape, TArgb color) override {
    TRecordedCall& call = Record("FillShape");
    call.Shape = shape;
    call.Color = color;
  }
  void DrawShape(const TShape& shape, TArgb color, float penWidth) override {
    TRecordedCall& call = Record("DrawShape");
    call.Shape = shape;
    call.Color = color;
    call.PenWidth = penWidth;
  }
  void FillShapeWithPathGradient(const TShape& shape, const TPathGradient& gradient) override {
    TRecordedCall& call = Record("FillShapeWithPathGradient");
    call.Shape = shape;
    call.PathGradient = gradient;
  }
  void FillRectWithLinearGradient(const TRectF& rect, const TLinearGradient& gradient) override {
    TRecordedCall& call = Record("FillRectWithLinearGradient");
    call.Rect = rect;
    call.LinearGradient = gradient;
  }
  void DrawString(const std::string& text, const TFontSpec& font, const TRectF& layout,
                  const TTextAlignment& alignment, TArgb color) override {
    TRecordedCall& call = Record("DrawString");
    call.Text = text;
    call.Font = font;
    call.Rect = layout;
    call.Alignment = alignment;
    call.Color = color;
  }
  void PaintGlyphPath(const std::string& text, const TFontSpec& font, const TRectF& layout,
                      const TTextAlignment& alignment, const TGlyphPaint& paint) override {
    TRecordedCall& call = Record("PaintGlyphPath");
    call.Text = text;
    call.Font = font;
    call.Rect = layout;
    call.Alignment = alignment;
    call.Glyphs = paint;
  }
  bool MeasureFontHeight(const TFontSpec& font, int& height) override {
    TRecordedCall& call = Record("MeasureFontHeight");
    call.Font = font;
    if (!CanMeasure) return false;
    height = FontHeight;
    return true;
  }

  // One line per call, enough to compare a sequence at a glance.
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (const TRecordedCall& c : Calls) {
      std::string line = c.Op;
      if (c.Op == "SetSmoothingMode")
        line += c.Smoothing == TSmoothingMode::None ? " None" : " HighQuality";
      else if (c.Op == "FillShape")
        line += " " + Describe(c.Shape) + " " + Hex(c.Color);
      else if (c.Op == "DrawShape")
        line += " " + Describe(c.Shape) + " " + Hex(c.Color) + " w" +
                std::to_string(static_cast<int>(c.PenWidth));
      else if (c.Op == "FillShapeWithPathGradient")
        line += " " + Describe(c.Shape);
      else if (c.Op == "FillRectWithLinearGradient")
        line += " " + Describe(c.Rect);
      else if (c.Op == "DrawString" || c.Op == "PaintGlyphPath")
        line += " '" + c.Text + "' " + Describe(c.Rect);
      lines.push_back(line);
    }
    return lines;
  }

  // The calls of one kind, in order.
  std::vector<TRecordedCall> Named(const std::string& op) const {
    std::vector<TRecordedCall> found;
    for (const TRecordedCall& c : Calls)
      if (c.Op == op) found.push_back(c);
    return found;
  }

 private:
  TRecordedCall& Record(const char* op) {
    if (ThrowOn == op) throw std::runtime_error(std::string("no ") + op);
    Calls.emplace_back();
    Calls.back().Op = op;
    return Calls.back();
  }
};
