// The calendar's drawing surface over a GDI+ graphics object (flat API).
// Every object is made and deleted within its call; a failing call leaves its
// status in LastStatus and drawing goes on.
#pragma once

#include <windows.h>

#include "core/calendar/Canvas.h"

namespace Gdiplus {
class GpGraphics;
}

class TGdiPlusCanvas : public TCanvas {
 public:
  // Draws on a graphics the caller owns. Font heights are measured on
  // measureWindow's device context (the screen's when null).
  explicit TGdiPlusCanvas(Gdiplus::GpGraphics* graphics, HWND measureWindow = nullptr);
  // Opens and owns a graphics on the device context, prepared as PrepareSurface
  // leaves it; see Opened.
  TGdiPlusCanvas(HDC dc, HWND measureWindow);
  ~TGdiPlusCanvas() override;
  TGdiPlusCanvas(const TGdiPlusCanvas&) = delete;
  TGdiPlusCanvas& operator=(const TGdiPlusCanvas&) = delete;

  // False when no graphics could be opened on the device context.
  bool Opened() const { return graphics_ != nullptr; }

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

  Gdiplus::GpGraphics* graphics_;
  HWND measureWindow_;
  bool ownsGraphics_ = false;
  int lastStatus_ = 0;
};
