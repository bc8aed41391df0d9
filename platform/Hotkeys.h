// The three global hotkeys of a window, registered through the system.
#pragma once

#include <windows.h>

// Registers Ctrl+Shift, Ctrl+Alt and Alt+Shift with the letter under the
// identifiers 100, 101 and 102. Results are not checked: a combination taken
// by another program simply does not work.
void RegisterWindowHotkeys(HWND window, char letter);
void UnregisterWindowHotkeys(HWND window);
