#include "app/dialogs/ColorForm.h"

#include "core/trace/FunStatus.h"
#include "platform/Clipboard.h"
#include "platform/WindowPlacement.h"
#include "resources/resource.h"

bool TColorForm::Create(HWND owner) {
  if (!CreateModeless(IDD_COLOR, owner)) return false;
  // The template gives the client area (420 x 490 pixels at 96 DPI) and keeps
  // its controls inside at any scaling; the window is centred on the owner.
  // Taller than a small owner: kept within the work area, title bar on screen.
  TCentring centring;
  centring.WithinWorkArea = true;
  CentreOnOwner(handle_, owner, centring);
  return true;
}

void TColorForm::BuildColorGrid() {
  HWND panel = GetDlgItem(handle_, IDC_COLORS_PANEL);
  RECT area;
  GetWindowRect(panel, &area);
  MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&area), 2);
  const int panelWidth = area.right - area.left, panelHeight = area.bottom - area.top;
  for (int k = 0; k < kColorGridCells; ++k) {
    const TGridCell cell = ColorGridCell(k, panelWidth, panelHeight, CurrentColor);
    const RECT pixels = {area.left + cell.Left, area.top + cell.Top, area.left + cell.Left + cell.Width,
                         area.top + cell.Top + cell.Height};
    TColorPanel& control = cells_[k];
    if (!cellsCreated_) {
      control.CreateInPixels(*this, IDC_COLOR_FIRST_CELL + k, "STATIC", "", WS_BORDER, pixels);
      control.OnMouseDown = [this, k](TMouseButton button, int, int, bool) { ColorCellMouseDown(k, button); };
    } else {
      SetWindowPos(control.Handle(), nullptr, pixels.left, pixels.top, cell.Width, cell.Height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
    control.SetColor(cell.Color);
    control.SetHint(GridCellHint(cell.Color));
  }
  cellsCreated_ = true;
}

void TColorForm::ColorCellMouseDown(int cell, TMouseButton button) {
  const uint32_t color = cells_[cell].Color();
  switch (button) {
    case TMouseButton::Left:
      CurrentColor = color;
      EndModal(IDOK);
      break;
    case TMouseButton::Right:
      if (!OnColorPicked) break;
      CurrentColor = color;
      BuildColorGrid();
      OnColorPicked(color);
      break;
    case TMouseButton::Middle:
      CopyTextToClipboard(cells_[cell].Hint(), "Failed to copy hint to clipboard.", false, false, handle_);
      break;
  }
}

bool TColorForm::OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
  if (message == WM_CLOSE || (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL)) {
    EndModal(IDCANCEL);
    result = TRUE;
    return true;
  }
  return false;
}

bool ColorFormDialog(HWND owner, uint32_t& color, const std::function<void(uint32_t)>& livePick) {
  FUN_TRACE("ColorFormDialog");
  bool accepted = false;
  FUN_GUARD({
    auto form = std::make_unique<TColorForm>();
    if (!form->Create(owner)) return FUN_RAISE("Failed to create dialog.", "", "", GetLastError());
    form->OnColorPicked = livePick;
    form->CurrentColor = color;
    form->BuildColorGrid();
    accepted = form->ShowModalWindow(owner) == IDOK;
    color = form->CurrentColor;
  });
  FUN_SHOW("Failed to show color dialog.");
  return accepted;
}
