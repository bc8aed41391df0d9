// The system's colour dialog. Every call shares one set of custom colours, so
// a colour the user keeps in one place is offered in the others.
#pragma once

#include <windows.h>

#include <cstdint>

// Opens the dialog fully open on `color` (0x00BBGGRR); the chosen colour comes
// back in it. False when the user cancels.
bool ChooseSystemColor(HWND owner, uint32_t& color);
