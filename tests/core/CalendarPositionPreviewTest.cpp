#include <gtest/gtest.h>

#include "core/calendar/CalendarPositionPreview.h"

namespace {

std::vector<int> Edges(const TBox& b) { return {b.Left, b.Top, b.Right, b.Bottom}; }

TEST(CalendarPositionPreviewTest, PreviewFitsThePanelWithoutEnlarging) {
  int w = 0, h = 0;
  FitPreviewSize(1280, 1024, 200, 200, w, h);
  EXPECT_EQ(w * 1000 + h, 200160);
  FitPreviewSize(1024, 1280, 200, 200, w, h);
  EXPECT_EQ(w * 1000 + h, 160200);
  FitPreviewSize(120, 50, 200, 200, w, h);
  EXPECT_EQ(w * 1000 + h, 120050);
  FitPreviewSize(0, 1024, 200, 200, w, h);
  EXPECT_EQ(w * 1000 + h, 0);
}

TEST(CalendarPositionPreviewTest, OvalAroundRectIsCentredOnTheBoxAndScaled) {
  const TBox box{0, 0, 30, 40};  // diagonal 50
  EXPECT_EQ(Edges(OvalAroundRect(box, 1, 1, 100)), (std::vector<int>{-10, -5, 40, 45}));
  EXPECT_EQ(Edges(OvalAroundRect(box, 1, 1, 150)), (std::vector<int>{-22, -5, 53, 45}));
  // Halves round up, also below zero.
  EXPECT_EQ(Edges(OvalAroundRect(box, 0.5, 0.5, 150)), (std::vector<int>{-11, -2, 27, 23}));
}

TEST(CalendarPositionPreviewTest, PreviewScalesTheCalendarBox) {
  const TCalendarPlacement placement{0.25, 0.5, 0.2, 0.125};
  const TPositionPreview p = PreparePositionPreview(1280, 1024, placement, true, 100);
  EXPECT_DOUBLE_EQ(p.ScaleX, 200.0 / 1280);
  EXPECT_EQ(Edges(p.CurrentBox), (std::vector<int>{50, 80, 90, 100}));
  EXPECT_EQ(p.BoxWidth, 40);
  EXPECT_EQ(p.BoxHeight, 20);
  EXPECT_EQ(Edges(p.OvalBox), (std::vector<int>{48, 68, 93, 113}));  // diagonal 44.7 -> 45
  const TBox candidate = CandidateBox(p, 100, 100);
  EXPECT_EQ(Edges(candidate), (std::vector<int>{80, 90, 120, 110}));
  EXPECT_EQ(Edges(CandidateOutline(p, candidate)), (std::vector<int>{78, 78, 123, 123}));
}

TEST(CalendarPositionPreviewTest, ClickIsClampedIntoThePreview) {
  // A 200 x 200 preview with a box 40 x 20.
  const TPositionPreview p =
      PreparePositionPreview(1000, 1000, TCalendarPlacement{0, 0, 0.2, 0.1}, false, 100);
  double left = 0.5, top = 0.5;
  PositionFromCandidate(p, CandidateBox(p, 0, 0), left, top);
  EXPECT_EQ(left, 0.0);
  EXPECT_EQ(top, 0.0);
  PositionFromCandidate(p, CandidateBox(p, 199, 199), left, top);
  EXPECT_DOUBLE_EQ(left, 0.8);
  EXPECT_DOUBLE_EQ(top, 0.9);
  PositionFromCandidate(p, CandidateBox(p, 70, 40), left, top);
  EXPECT_DOUBLE_EQ(left, 0.25);
  EXPECT_DOUBLE_EQ(top, 0.15);

  // Wider than the work area: a corner left of the preview gives 0, any other
  // the negative bound.
  const TPositionPreview wide =
      PreparePositionPreview(1000, 1000, TCalendarPlacement{0, 0, 1.5, 0.1}, false, 100);
  PositionFromCandidate(wide, CandidateBox(wide, 149, 100), left, top);
  EXPECT_EQ(left, 0.0);
  PositionFromCandidate(wide, CandidateBox(wide, 150, 100), left, top);
  EXPECT_DOUBLE_EQ(left, -0.5);
}

}  // namespace
