#include "platform/FontMetrics.h"

#include "core/trace/FunStatus.h"

int GetFontHeight(HFONT font, HWND window) {
  FUN_TRACE("GetFontHeight");
  int height = 0;
  FUN_GUARD({
    HDC dc = GetDC(window);
    if (!dc) {
      FUN_RAISE("Failed to get device context.");
      return;
    }
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    height = metrics.tmHeight;
  });
  return height;
}
