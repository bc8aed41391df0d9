#include "platform/UserLocale.h"

#include <windows.h>

int CompareTextUserLocale(const std::string& a, const std::string& b) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                        static_cast<int>(b.size())) - CSTR_EQUAL;
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
