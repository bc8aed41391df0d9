// Opens the program's help: the classic help file when the system can still
// show one, otherwise the same guide as a page in the user's browser.
#pragma once

#include <windows.h>

// Traced ("OpenProgramHelp"); false, with the failure recorded, when neither opens.
bool OpenProgramHelp(HWND owner, unsigned context);
