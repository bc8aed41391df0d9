// The colour panels' mouse commands: a double click opens the stock colour
// dialog, a right click the system colour dialog, a middle click restores the
// default; a single left click drags the colour onto another panel.
#include "app/main/ColorPanelsPart.h"

#include <algorithm>

#include "app/main/CalendarSkinControls.h"
#include "app/dialogs/ColorForm.h"
#include "core/calendar/ColorGrid.h"
#include "platform/ColorDialog.h"

namespace {

void SetPanelColor(TColorPanel& panel, uint32_t color) { TCalendarSkinControls::SetPanelColor(panel, color); }

}  // namespace

TColorPanelsPart::TColorPanelsPart(TMainFormHost& host) : host_(host) {}

void TColorPanelsPart::AttachColorPanel(TColorPanel& panel, bool reload, bool acceptsDrops) {
  if (acceptsDrops) dropTargetPanels_.push_back(&panel);
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

void TColorPanelsPart::ColorPanelMouseDown(TColorPanel& panel, TMouseButton button, bool doubleClick, bool reload) {
  lastColorPanel_ = &panel;
  lastColorReload_ = reload;
  if (button == TMouseButton::Left && !doubleClick) {
    SetCapture(panel.Handle());
    return;
  }
  if (ColorPanelClick(panel, button)) host_.Recompose(reload);
}

bool TColorPanelsPart::ColorPanelClick(TColorPanel& panel, TMouseButton button) {
  uint32_t color = panel.Color();
  switch (button) {
    case TMouseButton::Left:
      if (!ColorFormDialog(host_.Owner(), color, [this](uint32_t picked) { ApplyPickedColor(picked); })) return false;
      break;
    case TMouseButton::Right:
      if (!ChooseSystemColor(host_.Owner(), color)) return false;
      break;
    case TMouseButton::Middle:
      color = panel.Tag;
      break;
  }
  SetPanelColor(panel, color);
  return true;
}

void TColorPanelsPart::ApplyPickedColor(uint32_t color) {
  if (!lastColorPanel_) return;
  SetPanelColor(*lastColorPanel_, color);
  host_.Recompose(lastColorReload_);
}

bool TColorPanelsPart::DropColorAt(TColorPanel& source, POINT screenPoint) {
  HWND target = WindowFromPoint(screenPoint);
  const auto found = std::find_if(dropTargetPanels_.begin(), dropTargetPanels_.end(),
                                  [target](TColorPanel* panel) { return panel->Handle() == target; });
  if (found == dropTargetPanels_.end() || *found == &source) return false;
  SetPanelColor(**found, source.Color());
  host_.Recompose(false);
  return true;
}
