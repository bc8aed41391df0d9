#include "platform/GdiPlusCanvas.h"

#include <gdiplus.h>

#include <functional>
#include <memory>
#include <vector>

#include "platform/HandleHolders.h"
#include "platform/WinText.h"

namespace gp = Gdiplus::DllExports;
using Gdiplus::GpBrush;
using Gdiplus::GpFont;
using Gdiplus::GpFontFamily;
using Gdiplus::GpGraphics;
using Gdiplus::GpPath;
using Gdiplus::GpPen;
using Gdiplus::GpStringFormat;

namespace {

// Owners that delete what GDI+ made, so an early return leaks nothing.
struct TBrushDeleter { void operator()(GpBrush* p) const { gp::GdipDeleteBrush(p); } };
struct TPenDeleter { void operator()(GpPen* p) const { gp::GdipDeletePen(p); } };
struct TPathDeleter { void operator()(GpPath* p) const { gp::GdipDeletePath(p); } };
struct TFamilyDeleter { void operator()(GpFontFamily* p) const { gp::GdipDeleteFontFamily(p); } };
struct TFontDeleter { void operator()(GpFont* p) const { gp::GdipDeleteFont(p); } };
struct TFormatDeleter { void operator()(GpStringFormat* p) const { gp::GdipDeleteStringFormat(p); } };
using TBrush = std::unique_ptr<GpBrush, TBrushDeleter>;
using TPen = std::unique_ptr<GpPen, TPenDeleter>;
using TPath = std::unique_ptr<GpPath, TPathDeleter>;
using TFamily = std::unique_ptr<GpFontFamily, TFamilyDeleter>;
using TFont = std::unique_ptr<GpFont, TFontDeleter>;
using TFormat = std::unique_ptr<GpStringFormat, TFormatDeleter>;

Gdiplus::RectF ToRectF(const TRectF& r) { return Gdiplus::RectF(r.X, r.Y, r.Width, r.Height); }

// A GDI+ call that takes a box last, in its ellipse form or its rectangle form
// (whichever the shape is), with the shape's bounds.
template <typename BoxCall, typename... Leading>
Gdiplus::GpStatus CallForShape(const TShape& shape, BoxCall ellipse, BoxCall rectangle, Leading... leading) {
  const TRectF& b = shape.Bounds;
  return (shape.Kind == TShapeKind::Ellipse ? ellipse : rectangle)(leading..., b.X, b.Y, b.Width, b.Height);
}

}  // namespace

TGdiPlusCanvas::TGdiPlusCanvas(GpGraphics* graphics, HWND measureWindow)
    : graphics_(graphics), measureWindow_(measureWindow) {}

TGdiPlusCanvas::TGdiPlusCanvas(HDC dc, HWND measureWindow) : graphics_(nullptr), measureWindow_(measureWindow) {
  if (!Keep(gp::GdipCreateFromHDC(dc, &graphics_))) {
    graphics_ = nullptr;
    return;
  }
  ownsGraphics_ = true;
  PrepareSurface();
}

TGdiPlusCanvas::~TGdiPlusCanvas() {
  if (ownsGraphics_) gp::GdipDeleteGraphics(graphics_);
}

bool TGdiPlusCanvas::Keep(int status) {
  if (status != Gdiplus::Ok) lastStatus_ = status;
  return status == Gdiplus::Ok;
}

void TGdiPlusCanvas::PrepareSurface() {
  Keep(gp::GdipSetPageUnit(graphics_, Gdiplus::UnitPixel));
  Keep(gp::GdipSetSmoothingMode(graphics_, Gdiplus::SmoothingModeHighQuality));
  Keep(gp::GdipSetTextRenderingHint(graphics_, Gdiplus::TextRenderingHintClearTypeGridFit));
}

void TGdiPlusCanvas::SetSmoothingMode(TSmoothingMode mode) {
  Keep(gp::GdipSetSmoothingMode(graphics_, static_cast<Gdiplus::SmoothingMode>(mode)));
}

void TGdiPlusCanvas::FillShape(const TShape& shape, TArgb color) {
  Gdiplus::GpSolidFill* fill = nullptr;
  Keep(gp::GdipCreateSolidFill(color, &fill));
  TBrush brush(fill);
  Keep(CallForShape(shape, gp::GdipFillEllipse, gp::GdipFillRectangle, graphics_, brush.get()));
}

void TGdiPlusCanvas::DrawShape(const TShape& shape, TArgb color, float penWidth) {
  GpPen* made = nullptr;
  Keep(gp::GdipCreatePen1(color, penWidth, Gdiplus::UnitWorld, &made));
  TPen pen(made);
  Keep(CallForShape(shape, gp::GdipDrawEllipse, gp::GdipDrawRectangle, graphics_, pen.get()));
}

void TGdiPlusCanvas::FillShapeWithPathGradient(const TShape& shape, const TPathGradient& gradient) {
  GpPath* madePath = nullptr;
  Keep(gp::GdipCreatePath(Gdiplus::FillModeAlternate, &madePath));
  TPath path(madePath);
  Keep(CallForShape(shape, gp::GdipAddPathEllipse, gp::GdipAddPathRectangle, path.get()));

  Gdiplus::GpPathGradient* madeBrush = nullptr;
  Keep(gp::GdipCreatePathGradientFromPath(path.get(), &madeBrush));
  TBrush brush(madeBrush);
  const Gdiplus::PointF centre(gradient.CenterPoint.X, gradient.CenterPoint.Y);
  Keep(gp::GdipSetPathGradientCenterPoint(madeBrush, &centre));
  Keep(gp::GdipSetPathGradientCenterColor(madeBrush, gradient.CenterColor));
  std::vector<Gdiplus::ARGB> colors;
  std::vector<Gdiplus::REAL> positions;
  for (const TBlendStop& stop : gradient.PresetBlend) {
    colors.push_back(stop.Color);
    positions.push_back(stop.Position);
  }
  if (!colors.empty())
    Keep(gp::GdipSetPathGradientPresetBlend(madeBrush, colors.data(), positions.data(),
                                            static_cast<INT>(colors.size())));
  Keep(gp::GdipSetPathGradientFocusScales(madeBrush, gradient.FocusScaleX, gradient.FocusScaleY));
  Keep(gp::GdipFillPath(graphics_, brush.get(), path.get()));
}

void TGdiPlusCanvas::FillRectWithLinearGradient(const TRectF& rect, const TLinearGradient& gradient) {
  const Gdiplus::RectF r = ToRectF(rect);
  Gdiplus::GpLineGradient* made = nullptr;
  Keep(gp::GdipCreateLineBrushFromRectWithAngle(&r, gradient.StartColor, gradient.EndColor,
                                                gradient.AngleDegrees, gradient.AngleScalable ? TRUE : FALSE,
                                                static_cast<Gdiplus::WrapMode>(gradient.WrapMode), &made));
  TBrush brush(made);
  Keep(gp::GdipFillRectangle(graphics_, brush.get(), rect.X, rect.Y, rect.Width, rect.Height));
}

namespace {

// No flags and the neutral language, aligned both ways.
TFormat MakeStringFormat(const TTextAlignment& alignment, const std::function<bool(int)>& keep) {
  GpStringFormat* made = nullptr;
  keep(gp::GdipCreateStringFormat(0, LANG_NEUTRAL, &made));
  TFormat format(made);
  keep(gp::GdipSetStringFormatAlign(made, static_cast<Gdiplus::StringAlignment>(alignment.Horizontal)));
  keep(gp::GdipSetStringFormatLineAlign(made, static_cast<Gdiplus::StringAlignment>(alignment.Vertical)));
  return format;
}

}  // namespace

void TGdiPlusCanvas::DrawString(const std::string& text, const TFontSpec& font, const TRectF& layout,
                                const TTextAlignment& alignment, TArgb color) {
  const auto keep = [this](int status) { return Keep(status); };
  const std::wstring wideText = AnsiToWide(text);
  const std::wstring family = AnsiToWide(font.Name);
  // A family that is not installed leaves the text undrawn.
  GpFontFamily* madeFamily = nullptr;
  if (!Keep(gp::GdipCreateFontFamilyFromName(family.c_str(), nullptr, &madeFamily))) return;
  TFamily fontFamily(madeFamily);
  GpFont* madeFont = nullptr;
  Keep(gp::GdipCreateFont(madeFamily, static_cast<Gdiplus::REAL>(font.Size), FontStyleOf(font), Gdiplus::UnitPixel,
                          &madeFont));
  TFont gdiFont(madeFont);
  fontFamily.reset();
  const TFormat format = MakeStringFormat(alignment, keep);
  Gdiplus::GpSolidFill* fill = nullptr;
  Keep(gp::GdipCreateSolidFill(color, &fill));
  TBrush brush(fill);
  const Gdiplus::RectF r = ToRectF(layout);
  Keep(gp::GdipDrawString(graphics_, wideText.c_str(), static_cast<INT>(wideText.size()), gdiFont.get(),
                          &r, format.get(), brush.get()));
}

void TGdiPlusCanvas::PaintGlyphPath(const std::string& text, const TFontSpec& font, const TRectF& layout,
                                    const TTextAlignment& alignment, const TGlyphPaint& paint) {
  const auto keep = [this](int status) { return Keep(status); };
  const std::wstring wideText = AnsiToWide(text);
  const std::wstring family = AnsiToWide(font.Name);
  GpPath* madePath = nullptr;
  Keep(gp::GdipCreatePath(Gdiplus::FillModeAlternate, &madePath));
  TPath path(madePath);
  GpFontFamily* madeFamily = nullptr;
  if (!Keep(gp::GdipCreateFontFamilyFromName(family.c_str(), nullptr, &madeFamily))) return;
  TFamily fontFamily(madeFamily);
  const TFormat format = MakeStringFormat(alignment, keep);
  const Gdiplus::RectF r = ToRectF(layout);
  Keep(gp::GdipAddPathString(madePath, wideText.c_str(), static_cast<INT>(wideText.size()), madeFamily,
                             FontStyleOf(font), static_cast<Gdiplus::REAL>(font.Size), &r, format.get()));
  if (paint.Stroke) {
    GpPen* madePen = nullptr;
    Keep(gp::GdipCreatePen1(paint.PenColor, paint.PenWidth, Gdiplus::UnitWorld, &madePen));
    TPen pen(madePen);
    Keep(gp::GdipDrawPath(graphics_, pen.get(), madePath));
  }
  if (paint.Fill) {
    Gdiplus::GpSolidFill* fill = nullptr;
    Keep(gp::GdipCreateSolidFill(paint.FillColor, &fill));
    TBrush brush(fill);
    Keep(gp::GdipFillPath(graphics_, brush.get(), madePath));
  }
}

bool TGdiPlusCanvas::MeasureFontHeight(const TFontSpec& font, int& height) {
  const TWindowDcHolder dc(measureWindow_);
  if (!dc.Get()) return false;
  // The size is the em height, so the font is asked for by character height.
  const TGdiObjectHolder gdiFont(CreateFontA(-font.Size, 0, 0, 0, font.Bold ? FW_BOLD : FW_NORMAL,
                                             font.Italic ? TRUE : FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                             font.Name.c_str()));
  TEXTMETRICA metrics = {};
  BOOL measured = FALSE;
  {
    const TSelection selection(dc.Get(), gdiFont.Get());
    measured = GetTextMetricsA(dc.Get(), &metrics);
  }
  if (!measured) return false;
  height = metrics.tmHeight;
  return true;
}
