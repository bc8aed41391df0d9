// Text crosses into the system as ANSI (the program's own text) or UTF-16
// (GDI+ and the shell link interface); these convert at that border.
#pragma once

#include <windows.h>

#include <string>

std::wstring AnsiToWide(const std::string& text);
std::string WideToAnsi(const std::wstring& text);
std::string WindowText(HWND window);
