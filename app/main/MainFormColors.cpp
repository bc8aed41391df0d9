// The colour panels' mouse commands: a double click opens the stock colour
// dialog, a right click the system colour dialog, a middle click restores the
// default; a single left click drags the colour onto another panel.
#include "app/main/MainForm.h"

#include <algorithm>

#include "app/main/CalendarSkinControls.h"
#include "app/dialogs/ColorForm.h"
#include "core/calendar/ColorGrid.h"
#include "platform/ColorDialog.h"

void TMainForm::SetPanelColor(TColorPanel& panel, uint32_t color) { TCalendarSkinControls::SetPanelColor(panel, color); }

void TMainForm::AttachColorPanel(TColorPanel& panel, bool reload, bool acceptsDrops) {
  if (acceptsDrops) DropTargetPanels.push_back(&panel);
  panel.OnMouseDown = [this, &panel, reload](TMouseButton button, int, int, bool doubleClick) {
    ColorPanelMouseDown(panel, button, doubleClick, reload);
  };
  panel.OnMouseUp = [this, &panel](TMouseButton button, int x, int y) {
    if (button != TMouseButton::Left || GetCapture() != panel.Handle()) return;
    ReleaseCapture();
    // Where the button was let go, not where the pointer has got to since.
    POINT released = {x, y};
    ClientToScreen(panel.Handle(), &released);
    // A press that never left the drag threshold is a click, not a drop.
    RECT own;
    GetWindowRect(panel.Handle(), &own);
    if (!PtInRect(&own, released)) DropColorAt(panel, released);
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
  };
  panel.OnMouseMove = [&panel](int, int) {
    if (GetCapture() == panel.Handle()) SetCursor(LoadCursor(nullptr, IDC_UPARROW));
  };
}

void TMainForm::ColorPanelMouseDown(TColorPanel& panel, TMouseButton button, bool doubleClick, bool reload) {
  LastColorPanel = &panel;
  LastColorReload = reload;
  if (button == TMouseButton::Left && !doubleClick) {
    SetCapture(panel.Handle());
    return;
  }
  if (ColorPanelClick(panel, button)) Composition.SetFileAsWallpaper(reload);
}

bool TMainForm::ColorPanelClick(TColorPanel& panel, TMouseButton button) {
  uint32_t color = panel.Color();
  switch (button) {
    case TMouseButton::Left:
      if (!ColorFormDialog(handle_, color, [this](uint32_t picked) { ApplyPickedColor(picked); })) return false;
      break;
    case TMouseButton::Right:
      if (!ChooseSystemColor(handle_, color)) return false;
      break;
    case TMouseButton::Middle:
      color = panel.Tag;
      break;
  }
  SetPanelColor(panel, color);
  return true;
}

void TMainForm::ApplyPickedColor(uint32_t color) {
  if (!LastColorPanel) return;
  SetPanelColor(*LastColorPanel, color);
  Composition.SetFileAsWallpaper(LastColorReload);
}

bool TMainForm::DropColorAt(TColorPanel& source, POINT screenPoint) {
  HWND target = WindowFromPoint(screenPoint);
  const auto found = std::find_if(DropTargetPanels.begin(), DropTargetPanels.end(),
                                  [target](TColorPanel* panel) { return panel->Handle() == target; });
  if (found == DropTargetPanels.end() || *found == &source) return false;
  SetPanelColor(**found, source.Color());
  Composition.SetFileAsWallpaper(false);
  return true;
}
