// The mouse commands of the main window's colour panels: a double click opens
// the stock colour dialog, a right click the system colour dialog, a middle
// click restores the default; a single left click drags the colour onto
// another panel.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "app/main/MainFormHost.h"
#include "platform/Widgets.h"

class TColorPanelsPart {
 public:
  explicit TColorPanelsPart(TMainFormHost& host);
  // Gives a colour panel its mouse commands; reload says how a change recomposes.
  void AttachColorPanel(TColorPanel& panel, bool reload, bool acceptsDrops);
  void ColorPanelMouseDown(TColorPanel& panel, TMouseButton button, bool doubleClick, bool reload);
  // Drops a dragged colour on the panel under the given screen point.
  bool DropColorAt(TColorPanel& source, POINT screenPoint);

 private:
  bool ColorPanelClick(TColorPanel& panel, TMouseButton button);
  void ApplyPickedColor(uint32_t color);

  TMainFormHost& host_;
  TColorPanel* lastColorPanel_ = nullptr;
  bool lastColorReload_ = false;
  std::vector<TColorPanel*> dropTargetPanels_;
};
