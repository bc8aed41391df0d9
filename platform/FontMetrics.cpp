#include "platform/FontMetrics.h"

#include "core/trace/FunStatus.h"
#include "platform/HandleHolders.h"

int GetFontHeight(HFONT font, HWND window) {
  FUN_TRACE("GetFontHeight");
  int height = 0;
  FUN_GUARD({
    const TWindowDcHolder dc(window);
    if (!dc.Get()) return FUN_RAISE("Failed to get device context.");
    const TSelection selection(dc.Get(), font);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc.Get(), &metrics);
    height = metrics.tmHeight;
  });
  return height;
}
