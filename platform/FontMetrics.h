// Text metrics of a window's font, for sizing rows to the text they hold.
#pragma once

#include <windows.h>

// The height in pixels of a line of text in the font on the window's device
// context (trace "GetFontHeight"); 0 when there is no device context.
int GetFontHeight(HFONT font, HWND window);
