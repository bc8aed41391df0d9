#include "platform/CalendarSystemNames.h"

#include <windows.h>

#include <algorithm>
#include <set>

#include "core/text/AsciiText.h"
#include "platform/HandleHolders.h"
#include "platform/WinText.h"

namespace {

int CALLBACK CollectFontFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM data) {
  auto* names = reinterpret_cast<std::set<std::string>*>(data);
  if (font->lfFaceName[0] != '\0' && font->lfFaceName[0] != '@') names->insert(font->lfFaceName);
  return 1;
}

// Wide: the narrow call gives the locale's legacy code page, not UTF-8.
std::string LocaleText(LCTYPE type) {
  wchar_t text[128] = {};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, type, text, 128) <= 0) return std::string();
  return WideBufferToAnsi(text);
}

}  // namespace

std::vector<std::string> InstalledFontNames() {
  // A family is reported once per character set; the set keeps one of each.
  std::set<std::string> names;
  const TWindowDcHolder dc(nullptr);
  if (dc.Get()) {
    LOGFONTA query = {};
    query.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExA(dc.Get(), &query, CollectFontFamily, reinterpret_cast<LPARAM>(&names), 0);
  }
  std::vector<std::string> sorted(names.begin(), names.end());
  std::stable_sort(sorted.begin(), sorted.end(), [](const std::string& a, const std::string& b) {
    return LowerCaseAscii(a) < LowerCaseAscii(b);
  });
  return sorted;
}

TCalendarNames CalendarLocaleNames() {
  TCalendarNames names;
  for (int month = 0; month < 12; ++month)
    names.LongMonthNames[month] = LocaleText(static_cast<LCTYPE>(LOCALE_SMONTHNAME1 + month));
  // The locale numbers its abbreviated day names from Monday.
  for (int day = 0; day < 7; ++day)
    names.ShortDayNames[day] = LocaleText(static_cast<LCTYPE>(LOCALE_SABBREVDAYNAME1 + day));
  return names;
}
