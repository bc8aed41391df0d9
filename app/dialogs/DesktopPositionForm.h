// The desktop position window: a scaled preview of the work area on which the
// user places the calendar with a click; a box of the calendar's size follows
// the mouse.
#pragma once

#include <optional>

#include "core/calendar/CalendarPositionPreview.h"
#include "platform/HandleHolders.h"
#include "platform/Widgets.h"

// A control that shows an off-screen picture and reports the mouse.
class TPaintBox : public TControl {
 public:
  HDC Picture = nullptr;  // copied to the control whenever it paints

 protected:
  void AfterAttach() override;
  bool HandleSubclassed(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

class TDesktopPositionForm : public TDialogWindow {
 public:
  TDesktopPositionForm();
  ~TDesktopPositionForm() override;
  bool Create(HWND owner);

  // Shows the preview modally. left and top (the calendar's placement
  // fractions) change only when the user clicks in the preview; true then.
  bool ShowDesktopPosition(double& left, double& top, int margin, double eccentricity, bool oval,
                           double height, double width);

  // The desktop work area shrunk by margin on every side.
  static TBox CalendarWorkArea(int margin);

  const TPositionPreview& Preview() const { return preview_; }
  const TBox& Candidate() const { return candidate_; }
  HWND PaintBoxHandle() const { return PaintBox.Handle(); }

  TLabel TextLabel;
  TPaintBox PaintBox;

 protected:
  void OnInitDialog() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  int Scaled(int pixels) const;
  void MakePicture();
  void ReleasePicture();
  void DrawPreview(bool withCandidate);
  void PaintBoxMouseMove(int x, int y);

  TPositionPreview preview_;
  TBox candidate_;  // kept between uses
  std::optional<TBitmapDcHolder> picture_;  // the preview, drawn off screen
};

// The one instance, made at program start.
extern TDesktopPositionForm* DesktopPositionForm;
