#include "platform/UserLocale.h"

#include <windows.h>

int CompareTextUserLocale(const std::string& a, const std::string& b) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                        static_cast<int>(b.size())) - CSTR_EQUAL;
}

bool SortKeyUserLocale(const std::string& text, std::string& key) {
  // The same conversion and flags as the comparison, so the order is the same.
  constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
  const int length = text.empty() ? -1 : static_cast<int>(text.size());
  // Room for every weight of every character at the first try, most of the time.
  key.resize(text.size() * 6 + 16);
  int size = LCMapStringA(LOCALE_USER_DEFAULT, kFlags, text.c_str(), length, key.data(), static_cast<int>(key.size()));
  if (size == 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
    key.resize(static_cast<size_t>(LCMapStringA(LOCALE_USER_DEFAULT, kFlags, text.c_str(), length, nullptr, 0)));
    size = LCMapStringA(LOCALE_USER_DEFAULT, kFlags, text.c_str(), length, key.data(), static_cast<int>(key.size()));
  }
  key.resize(size > 0 ? static_cast<size_t>(size) : 0);
  return size > 0;
}

std::string LowerCaseUserLocale(std::string text) {
  if (!text.empty()) CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

std::string UserThousandsSeparator() {
  char separator[8] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator) <= 1) return ",";
  return separator;
}
