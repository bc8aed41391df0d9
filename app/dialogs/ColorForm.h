// The "Stock colors" dialog: a 12 x 12 grid of the named colours.
#pragma once

#include <functional>
#include <memory>

#include "core/calendar/ColorGrid.h"
#include "platform/Widgets.h"

class TColorForm : public TDialogWindow {
 public:
  uint32_t CurrentColor = 0;
  std::function<void(uint32_t color)> OnColorPicked;

  bool Create(HWND owner);
  void BuildColorGrid();
  void ColorCellMouseDown(int cell, TMouseButton button);

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  TColorPanel cells_[kColorGridCells];
  bool cellsCreated_ = false;
};

// Shows the dialog with the colour marked; the colour comes back whatever the
// outcome (right-click picks may have changed it). True only for a left-click pick.
bool ColorFormDialog(HWND owner, uint32_t& color, const std::function<void(uint32_t)>& livePick);
