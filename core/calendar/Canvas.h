// The drawing surface the calendar paints on. Core describes every drawing
// operation with plain values; the platform layer implements it over its
// imaging library, and tests record the calls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Colours handed to a canvas are 32-bit ARGB (alpha in the top byte).
using TArgb = uint32_t;

struct TPointF {
  float X = 0;
  float Y = 0;
};

struct TRectF {
  float X = 0;
  float Y = 0;
  float Width = 0;
  float Height = 0;
};

// The imaging library's smoothing modes by their numbers.
enum class TSmoothingMode { HighQuality = 2, None = 3 };

// String alignments by their numbers: near is left/top, far right/bottom.
enum class TStringAlignment { Near = 0, Center = 1, Far = 2 };

struct TTextAlignment {
  TStringAlignment Horizontal = TStringAlignment::Near;
  TStringAlignment Vertical = TStringAlignment::Near;
};

// Size is the em height in pixels.
struct TFontSpec {
  std::string Name;
  int Size = 0;
  bool Bold = false;
  bool Italic = false;
};

// Font style number: 0 regular, 1 bold, 2 italic, 3 bold and italic.
inline int FontStyleOf(const TFontSpec& font) {
  return (font.Bold ? 1 : 0) | (font.Italic ? 2 : 0);
}

// A closed figure: the rectangle itself or the ellipse inscribed in it.
enum class TShapeKind { Rectangle, Ellipse };

struct TShape {
  TShapeKind Kind = TShapeKind::Rectangle;
  TRectF Bounds;
};

// One stop of a preset blend: position 0 is the figure's edge, 1 the centre point.
struct TBlendStop {
  float Position = 0;
  TArgb Color = 0;
};

// A gradient that runs from the figure's outline towards a centre point.
struct TPathGradient {
  TPointF CenterPoint;
  TArgb CenterColor = 0;
  std::vector<TBlendStop> PresetBlend;
  float FocusScaleX = 0;
  float FocusScaleY = 0;
};

// Wrap modes by the imaging library's numbers.
enum class TWrapMode { Tile = 0, TileFlipX = 1, TileFlipY = 2, TileFlipXY = 3, Clamp = 4 };

// A two-colour linear gradient built on the rectangle it fills.
struct TLinearGradient {
  TArgb StartColor = 0;
  TArgb EndColor = 0;
  float AngleDegrees = 0;
  bool AngleScalable = false;
  TWrapMode WrapMode = TWrapMode::Tile;
};

// How the glyph outlines of a text are painted: stroked first, then filled.
struct TGlyphPaint {
  bool Stroke = false;
  TArgb PenColor = 0;
  float PenWidth = 0;
  bool Fill = false;
  TArgb FillColor = 0;
};

// A failing drawing call is the canvas' own business (it may keep the last
// status); none of these operations throws for a drawing failure.
class TCanvas {
 public:
  virtual ~TCanvas() = default;

  virtual void SetSmoothingMode(TSmoothingMode mode) = 0;

  // Solid fill of the figure.
  virtual void FillShape(const TShape& shape, TArgb color) = 0;
  // The figure's outline with a pen of the given width (world units).
  virtual void DrawShape(const TShape& shape, TArgb color, float penWidth) = 0;
  // The figure, as a one-figure path with the alternate fill mode, filled by a
  // path-gradient brush made on that path.
  virtual void FillShapeWithPathGradient(const TShape& shape, const TPathGradient& gradient) = 0;
  // The rectangle filled by a linear-gradient brush built on the same rectangle.
  virtual void FillRectWithLinearGradient(const TRectF& rect, const TLinearGradient& gradient) = 0;

  // The text laid out in the rectangle with the alignments, in one solid colour.
  virtual void DrawString(const std::string& text, const TFontSpec& font, const TRectF& layout,
                          const TTextAlignment& alignment, TArgb color) = 0;
  // The text's glyph outlines, laid out as DrawString would, added to one path
  // (alternate fill mode) that is stroked and/or filled as the paint says.
  virtual void PaintGlyphPath(const std::string& text, const TFontSpec& font, const TRectF& layout,
                              const TTextAlignment& alignment, const TGlyphPaint& paint) = 0;

  // The height in pixels of a line of text in the font; false when the canvas
  // cannot measure (no device to measure on).
  virtual bool MeasureFontHeight(const TFontSpec& font, int& height) = 0;
};
