#include "core/calendar/CalendarPositionPreview.h"

#include <algorithm>

void FitPreviewSize(int workWidth, int workHeight, int panelWidth, int panelHeight,
                    int& previewWidth, int& previewHeight) {
  previewWidth = 0;
  previewHeight = 0;
  if (workWidth <= 0 || workHeight <= 0) return;
  long long width = std::min(panelWidth, workWidth);
  long long height = width == workWidth ? workHeight : workHeight * width / workWidth;
  if (height > panelHeight) {
    height = std::min(panelHeight, workHeight);
    width = height == workHeight ? workWidth : workWidth * height / workHeight;
  }
  previewWidth = static_cast<int>(width);
  previewHeight = static_cast<int>(height);
}

TPositionPreview PreparePositionPreview(int workWidth, int workHeight,
                                        const TCalendarPlacement& placement, bool oval,
                                        int eccentricityPercent, int panelWidth, int panelHeight) {
  TPositionPreview preview;
  preview.Oval = oval;
  preview.EccentricityPercent = eccentricityPercent;
  FitPreviewSize(workWidth, workHeight, panelWidth, panelHeight, preview.Width, preview.Height);
  if (preview.Width == 0 || preview.Height == 0) return preview;
  preview.ScaleX = static_cast<double>(preview.Width) / workWidth;
  preview.ScaleY = static_cast<double>(preview.Height) / workHeight;

  // The calendar in work-area pixels, then scaled.
  const int x = RoundHalfUp(workWidth * placement.RectLeft);
  const int y = RoundHalfUp(workHeight * placement.RectTop);
  const int w = RoundHalfUp(workWidth * placement.RectWidth);
  const int h = RoundHalfUp(workHeight * placement.RectHeight);
  preview.CurrentBox = TBox{RoundHalfUp(x * preview.ScaleX), RoundHalfUp(y * preview.ScaleY),
                            RoundHalfUp((static_cast<double>(x) + w) * preview.ScaleX),
                            RoundHalfUp((static_cast<double>(y) + h) * preview.ScaleY)};
  preview.BoxWidth = RoundHalfUp(w * preview.ScaleX);
  preview.BoxHeight = RoundHalfUp(h * preview.ScaleY);
  if (oval) preview.OvalBox = OvalAroundRect(preview.CurrentBox, 1.0, 1.0, eccentricityPercent);
  return preview;
}

TBox CandidateBox(const TPositionPreview& preview, int mouseX, int mouseY) {
  return BoxOfSize(mouseX - preview.BoxWidth / 2, mouseY - preview.BoxHeight / 2, preview.BoxWidth,
                   preview.BoxHeight);
}

TBox CandidateOutline(const TPositionPreview& preview, const TBox& candidate) {
  return preview.Oval ? OvalAroundRect(candidate, 1.0, 1.0, preview.EccentricityPercent)
                      : candidate;
}

namespace {

int ClampCorner(int value, int upper) {
  if (value < 0) return 0;
  return value > upper ? upper : value;
}

}  // namespace

void PositionFromCandidate(const TPositionPreview& preview, const TBox& candidate, double& rectLeft,
                           double& rectTop) {
  if (preview.Width <= 0 || preview.Height <= 0) return;
  rectLeft = static_cast<double>(ClampCorner(candidate.Left, preview.Width - preview.BoxWidth)) /
             preview.Width;
  rectTop = static_cast<double>(ClampCorner(candidate.Top, preview.Height - preview.BoxHeight)) /
            preview.Height;
}
