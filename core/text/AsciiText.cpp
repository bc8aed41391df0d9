#include "core/text/AsciiText.h"

bool SameTextAscii(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

std::string LowerCaseAscii(std::string text) {
  for (char& c : text) c = LowerAscii(c);
  return text;
}
