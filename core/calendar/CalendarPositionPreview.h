// The arithmetic of the desktop position dialog: a scaled preview of the work
// area with the calendar's box, a candidate box that follows the mouse, and the
// placement fractions a click gives.
#pragma once

#include "core/calendar/CalendarGeometry.h"

struct TPositionPreview {
  int Width = 0;  // preview size in pixels
  int Height = 0;
  double ScaleX = 0;  // preview pixels per work-area pixel
  double ScaleY = 0;
  TBox CurrentBox;   // the calendar's present place in preview pixels
  TBox OvalBox;      // the oval around it, with an oval back
  int BoxWidth = 0;  // the calendar's size in preview pixels
  int BoxHeight = 0;
  bool Oval = false;
  int EccentricityPercent = 100;
};

// The work area W x H fitted into the panel without enlarging, aspect kept by
// whole-number arithmetic; 0 x 0 for an area without extent.
void FitPreviewSize(int workWidth, int workHeight, int panelWidth, int panelHeight,
                    int& previewWidth, int& previewHeight);

TPositionPreview PreparePositionPreview(int workWidth, int workHeight,
                                        const TCalendarPlacement& placement, bool oval,
                                        int eccentricityPercent, int panelWidth = 200,
                                        int panelHeight = 200);

// The calendar-sized box centred on the mouse; it may stick out of the preview.
TBox CandidateBox(const TPositionPreview& preview, int mouseX, int mouseY);

// What the candidate is drawn as: its oval with an oval back, else itself.
TBox CandidateOutline(const TPositionPreview& preview, const TBox& candidate);

// The fractions a click at the candidate gives, its corner bounded to
// 0 .. preview size - box size (below 0 gives 0, otherwise above the bound the
// bound, which is negative for a box larger than the preview).
void PositionFromCandidate(const TPositionPreview& preview, const TBox& candidate, double& rectLeft,
                           double& rectTop);
