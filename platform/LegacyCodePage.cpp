#include "platform/LegacyCodePage.h"

#include <windows.h>

uint32_t LegacyAnsiCodePage() {
  DWORD codePage = 0;
  // Read from the locale rather than GetACP, which names UTF-8 once the program asks for it.
  if (GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                     reinterpret_cast<LPWSTR>(&codePage), sizeof codePage / sizeof(wchar_t)) == 0 ||
      codePage == 0 || codePage == CP_UTF8)
    return 1252;
  return codePage;
}

std::string LegacyTextToUtf8(std::string_view text) {
  if (text.empty()) return {};
  const UINT codePage = LegacyAnsiCodePage();
  const int inLength = static_cast<int>(text.size());
  const int wideLength = MultiByteToWideChar(codePage, 0, text.data(), inLength, nullptr, 0);
  if (wideLength <= 0) return {};
  std::wstring wide(static_cast<size_t>(wideLength), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), inLength, wide.data(), wideLength);
  const int utf8Length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(utf8Length > 0 ? utf8Length : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, utf8.data(), utf8Length, nullptr, nullptr);
  return utf8;
}
