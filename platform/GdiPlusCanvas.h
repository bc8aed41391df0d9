// The calendar's drawing surface over a GDI+ graphics object (flat API).
// Every object is made and deleted within its call; a failing call leaves its
// status in LastStatus and drawing goes on.
#pragma once

#include <windows.h>

#include "core/Canvas.h"

class TGdiPlusCanvas : public TCanvas {
 public:
  // graphics is a GpGraphics*; the caller owns it. Font heights are measured
  // on measureWindow's device context (the screen's when null).
  explicit TGdiPlusCanvas(void* graphics, HWND measureWindow = nullptr);

  // Page unit pixel, high-quality smoothing and ClearType grid-fit text: the
  // state the calendar expects on entry.
  void PrepareSurface();

  // The last non-zero GDI+ status, 0 when every call succeeded.
  int LastStatus() const { return lastStatus_; }

  void SetSmoothingMode(TSmoothingMode mode) override;
  void FillShape(const TShape& shape, TArgb color) override;
  void DrawShape(const TShape& shape, TArgb color, float penWidth) override;
  void FillShapeWithPathGradient(const TShape& shape, const TPathGradient& gradient) override;
  void FillRectWithLinearGradient(const TRectF& rect, const TLinearGradient& gradient) override;
  void DrawString(const std::string& text, const TFontSpec& font, const TRectF& layout,
                  const TTextAlignment& alignment, TArgb color) override;
  void PaintGlyphPath(const std::string& text, const TFontSpec& font, const TRectF& layout,
                      const TTextAlignment& alignment, const TGlyphPaint& paint) override;
  bool MeasureFontHeight(const TFontSpec& font, int& height) override;

 private:
  // Keeps a failing status; returns true for success.
  bool Keep(int status);

  void* graphics_;
  HWND measureWindow_;
  int lastStatus_ = 0;
};
