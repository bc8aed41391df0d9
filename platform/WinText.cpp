#include "platform/WinText.h"

std::wstring AnsiToWide(const std::string& text) {
  if (text.empty()) return {};
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string WideToAnsi(const std::wstring& text) {
  if (text.empty()) return {};
  const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
  std::string ansi(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(), length, nullptr,
                      nullptr);
  return ansi;
}

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

bool WideToAnsiExactly(const wchar_t* text, size_t length, std::string& ansi) {
  ansi.clear();
  if (length == 0) return true;
  const int wideLength = static_cast<int>(length);
  // Under a UTF-8 code page every character has bytes, and best-fit
  // replacements and the default-character report do not apply.
  const bool utf8 = GetACP() == CP_UTF8;
  ansi.resize(length * (utf8 ? 3 : 2));
  BOOL usedDefault = FALSE;
  const int written = WideCharToMultiByte(CP_ACP, utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS, text,
                                          wideLength, ansi.data(), static_cast<int>(ansi.size()), nullptr,
                                          utf8 ? nullptr : &usedDefault);
  ansi.resize(written > 0 ? static_cast<size_t>(written) : 0);
  return written > 0 && !usedDefault;
}

std::string WideBufferToAnsi(const wchar_t* text) { return text ? WideToAnsi(std::wstring(text)) : std::string(); }

int DrawProgramText(HDC dc, const std::string& text, RECT& rect, UINT format) {
  std::wstring wide = AnsiToWide(text);
  return DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect, format);
}
