#include "platform/UserLocale.h"

#include <windows.h>

#include "platform/WinText.h"

// The wide calls throughout: the narrow collation and locale calls read
// their text in the locale's legacy code page, not in the program's UTF-8.

int CompareTextUserLocale(const std::string& a, const std::string& b) {
  const std::wstring wideA = AnsiToWide(a);
  const std::wstring wideB = AnsiToWide(b);
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wideA.data(), static_cast<int>(wideA.size()),
                        wideB.data(), static_cast<int>(wideB.size())) -
         CSTR_EQUAL;
}

bool SortKeyUserLocale(const std::string& text, std::string& key) {
  // The same flags as the comparison, so the order is the same.
  constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
  const std::wstring wide = AnsiToWide(text);
  const int length = wide.empty() ? -1 : static_cast<int>(wide.size());
  // Room for every weight of every character at the first try, most of the time.
  // A sort key is a byte string even from the wide call.
  key.resize(wide.size() * 6 + 16);
  int size = LCMapStringW(LOCALE_USER_DEFAULT, kFlags, wide.c_str(), length, reinterpret_cast<LPWSTR>(key.data()),
                          static_cast<int>(key.size()));
  if (size == 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
    key.resize(static_cast<size_t>(LCMapStringW(LOCALE_USER_DEFAULT, kFlags, wide.c_str(), length, nullptr, 0)));
    size = LCMapStringW(LOCALE_USER_DEFAULT, kFlags, wide.c_str(), length, reinterpret_cast<LPWSTR>(key.data()),
                        static_cast<int>(key.size()));
  }
  key.resize(size > 0 ? static_cast<size_t>(size) : 0);
  return size > 0;
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  if (a == b) return true;
  const std::wstring wideA = AnsiToWide(a);
  const std::wstring wideB = AnsiToWide(b);
  return CompareStringOrdinal(wideA.data(), static_cast<int>(wideA.size()), wideB.data(),
                              static_cast<int>(wideB.size()), TRUE) == CSTR_EQUAL;
}

std::string LowerCaseUserLocale(std::string text) {
  std::wstring wide = AnsiToWide(text);
  if (!wide.empty()) CharLowerBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  return WideToAnsi(wide);
}

std::string UserThousandsSeparator() {
  wchar_t separator[8] = {};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, 8) <= 1) return ",";
  return WideBufferToAnsi(separator);
}
