// Where a window goes and how large it is drawn: the desktop's work area, the
// window's DPI, and centring on the owner.
#pragma once

#include <windows.h>

// The desktop less the taskbar. False, with area left as it was, when the
// system does not tell.
bool GetWorkArea(RECT& area);

// The window's dots per inch; 96 when it has none (no window yet).
int WindowDpi(HWND window);
// A length given at 96 DPI, scaled to the window's DPI.
int ScaleForDpi(HWND window, int pixels);

struct TCentring {
  // Centred on the owner even while it is hidden; otherwise a hidden (or no)
  // owner centres the window on the desktop.
  bool OnHiddenOwner = false;
  // Kept inside the work area of the owner's monitor, title bar first, so that
  // a window taller than a small owner stays reachable.
  bool WithinWorkArea = false;
};

// Moves the window, at its present size, to the centre of its owner and brings
// it to the top.
void CentreOnOwner(HWND window, HWND owner, TCentring how = {});
