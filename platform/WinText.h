// Text crosses into the system as ANSI (the program's own text) or UTF-16
// (GDI+ and the shell link interface); these convert at that border.
#pragma once

#include <windows.h>

#include <string>

std::wstring AnsiToWide(const std::string& text);
std::string WideToAnsi(const std::wstring& text);
// False when the program's code page cannot hold every character of the text
// (a name in another script): a name with stand-in characters names nothing.
bool WideToAnsiExactly(const wchar_t* text, size_t length, std::string& ansi);
std::string WindowText(HWND window);
