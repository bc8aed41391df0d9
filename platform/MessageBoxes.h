// The standard message boxes and beeps every window of the program uses.
#pragma once

#include <string>

// The window that owns message boxes (the main or install window once it exists).
void SetMessageBoxOwner(void* window);

int ShowMessageBox(const std::string& caption, const std::string& text, unsigned flags);
void ShowMessage(const std::string& text);
void ShowWarning(const std::string& text);
void ShowError(const std::string& text);
bool ShowQuery(const std::string& text);
void Beep();
void WarningBeep();
bool IsWindows2000OrLater();
