// A second start of the program asks the running one to show its main window,
// so that starting it again visibly does something.
#pragma once

#include <windows.h>

// True for the registered message the main window answers by showing itself.
bool IsShowMainWindowMessage(UINT message);

// Lets the running program's main window receive the message even when that
// program runs with higher rights than the one that sends it.
void AcceptShowMainWindowMessage(HWND mainWindow);

// Posts the message to every top-level dialog window captioned like the main
// window (the main window stays a top-level window while hidden in the tray),
// and lets the running program take the foreground.
void AskRunningInstanceToShow(const char* mainWindowCaption);
