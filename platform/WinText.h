// Text crosses into the system in the program's code page (UTF-8, as the
// manifest asks) or as UTF-16; these convert at that border. The window,
// file and registry calls take the program's code page, but the locale and
// GDI text calls convert through the locale's legacy code page under Wine,
// and fixed-size character buffers cut long UTF-8 names: those go wide.
#pragma once

#include <windows.h>

#include <string>

std::wstring AnsiToWide(const std::string& text);
std::string WideToAnsi(const std::wstring& text);
// False when the program's code page cannot hold every character of the text
// (a name in another script): a name with stand-in characters names nothing.
bool WideToAnsiExactly(const wchar_t* text, size_t length, std::string& ansi);
std::string WindowText(HWND window);
// UTF-16 text from a buffer the system filled, stopping at its terminator.
std::string WideBufferToAnsi(const wchar_t* text);
// DrawTextW of the program's text.
int DrawProgramText(HDC dc, const std::string& text, RECT& rect, UINT format);
