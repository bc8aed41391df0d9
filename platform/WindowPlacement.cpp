#include "platform/WindowPlacement.h"

#include <algorithm>

bool GetWorkArea(RECT& area) {
  RECT work = {};
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) return false;
  area = work;
  return true;
}

int WindowDpi(HWND window) {
  const UINT dpi = window ? GetDpiForWindow(window) : 0;
  return dpi ? static_cast<int>(dpi) : 96;
}

int ScaleForDpi(HWND window, int pixels) { return MulDiv(pixels, WindowDpi(window), 96); }

void CentreOnOwner(HWND window, HWND owner, TCentring how) {
  const bool onOwner = owner && (how.OnHiddenOwner || IsWindowVisible(owner));
  RECT area = {}, own = {};
  GetWindowRect(onOwner ? owner : GetDesktopWindow(), &area);
  GetWindowRect(window, &own);
  const int width = own.right - own.left, height = own.bottom - own.top;
  int x = (area.left + area.right - width) / 2;
  int y = (area.top + area.bottom - height) / 2;
  if (how.WithinWorkArea) {
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    x = std::max<int>(work.left, std::min<int>(x, work.right - width));
    y = std::max<int>(work.top, std::min<int>(y, work.bottom - height));
  }
  SetWindowPos(window, HWND_TOP, x, y, 0, 0, SWP_NOSIZE);
}
