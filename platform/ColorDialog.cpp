#include "platform/ColorDialog.h"

#include <commdlg.h>

namespace {

COLORREF CustomColors[16] = {};

}  // namespace

bool ChooseSystemColor(HWND owner, uint32_t& color) {
  CHOOSECOLORA choice = {};
  choice.lStructSize = sizeof choice;
  choice.hwndOwner = owner;
  choice.rgbResult = color & 0xFFFFFF;
  choice.lpCustColors = CustomColors;
  choice.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorA(&choice)) return false;
  color = choice.rgbResult;
  return true;
}
