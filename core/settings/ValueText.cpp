#include "core/settings/ValueText.h"

#include <charconv>

#include "core/trace/FunStatus.h"
#include "core/text/AsciiText.h"
#include "core/calendar/StockColors.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

struct TColorIdentifier {
  const char* Name;
  uint32_t Color;
};

// The toolkit's colour identifiers; system colours are 0x80000000 + the index.
const TColorIdentifier kColorIdentifiers[] = {
    {"clBlack", 0x000000},         {"clMaroon", 0x000080},
    {"clGreen", 0x008000},         {"clOlive", 0x008080},
    {"clNavy", 0x800000},          {"clPurple", 0x800080},
    {"clTeal", 0x808000},          {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},        {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},          {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},          {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},          {"clWhite", 0xFFFFFF},
    {"clScrollBar", 0x80000000},   {"clBackground", 0x80000001},
    {"clActiveCaption", 0x80000002}, {"clInactiveCaption", 0x80000003},
    {"clMenu", 0x80000004},        {"clWindow", 0x80000005},
    {"clWindowFrame", 0x80000006}, {"clMenuText", 0x80000007},
    {"clWindowText", 0x80000008},  {"clCaptionText", 0x80000009},
    {"clActiveBorder", 0x8000000A}, {"clInactiveBorder", 0x8000000B},
    {"clAppWorkSpace", 0x8000000C}, {"clHighlight", 0x8000000D},
    {"clHighlightText", 0x8000000E}, {"clBtnFace", 0x8000000F},
    {"clBtnShadow", 0x80000010},   {"clGrayText", 0x80000011},
    {"clBtnText", 0x80000012},     {"clInactiveCaptionText", 0x80000013},
    {"clBtnHighlight", 0x80000014}, {"cl3DDkShadow", 0x80000015},
    {"cl3DLight", 0x80000016},     {"clInfoText", 0x80000017},
    {"clInfoBk", 0x80000018},
};
static_assert(sizeof kColorIdentifiers / sizeof kColorIdentifiers[0] == 41,
              "the toolkit has 41 colour identifiers");

// Magnitude of the digits from position on; false on a non-digit, no digit or
// a magnitude above limit.
bool ReadMagnitude(const std::string& text, size_t position, int base, uint64_t limit,
                   uint64_t& magnitude) {
  if (position >= text.size()) return false;
  magnitude = 0;
  for (; position < text.size(); ++position) {
    const int digit = base == 16 ? HexDigitValue(text[position])
                                 : (IsDecimalDigit(text[position]) ? text[position] - '0' : -1);
    if (digit < 0) return false;
    magnitude = magnitude * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
    if (magnitude > limit) return false;
  }
  return true;
}

}  // namespace

bool TryTextToInt(const std::string& text, int32_t& value) {
  size_t position = 0;
  while (position < text.size() && IsBlank(text[position])) ++position;
  bool negative = false;
  if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
    negative = text[position] == '-';
    ++position;
  }
  int base = 10;
  if (position < text.size() && (text[position] == '$' || text[position] == 'x' ||
                                 text[position] == 'X')) {
    base = 16;
    position += 1;
  } else if (position + 1 < text.size() && text[position] == '0' &&
             (text[position + 1] == 'x' || text[position + 1] == 'X')) {
    base = 16;
    position += 2;
  }
  const uint64_t limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
  uint64_t magnitude = 0;
  if (!ReadMagnitude(text, position, base, limit, magnitude)) return false;
  const uint32_t bits = static_cast<uint32_t>(magnitude);
  value = static_cast<int32_t>(negative ? 0u - bits : bits);
  return true;
}

std::string BoolToText(bool value) { return value ? "TRUE" : "FALSE"; }

bool TextToBool(const std::string& text) { return text == "TRUE"; }

std::string RealToText(double value, char decimalSeparator) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  std::string text(buffer, result.ptr);
  const size_t exponent = text.find('e');
  if (exponent != std::string::npos) {
    // "1e+20" -> "1E20", "1e-07" -> "1E-7"
    std::string digits = text.substr(exponent + 1);
    const bool negative = !digits.empty() && digits[0] == '-';
    if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) digits.erase(0, 1);
    const size_t significant = digits.find_first_not_of('0');
    digits = significant == std::string::npos ? "0" : digits.substr(significant);
    text = text.substr(0, exponent) + "E" + (negative ? "-" : "") + digits;
  }
  for (char& c : text)
    if (c == '.') c = decimalSeparator;
  return text;
}

bool TryTextToReal(const std::string& text, char decimalSeparator, double& value) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;

  // Checked here rather than left to the converter, which knows neither the
  // separator nor our refusal of "inf", "nan" and hexadecimal forms.
  std::string number;
  size_t i = first;
  if (i < last && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') number += '-';
    ++i;
  }
  int mantissaDigits = 0;
  for (; i < last && IsDecimalDigit(text[i]); ++i, ++mantissaDigits) number += text[i];
  if (i < last && (text[i] == decimalSeparator || text[i] == '.')) {
    number += '.';
    ++i;
    for (; i < last && IsDecimalDigit(text[i]); ++i, ++mantissaDigits) number += text[i];
  }
  if (mantissaDigits == 0) return false;
  if (i < last && (text[i] == 'e' || text[i] == 'E')) {
    number += 'e';
    ++i;
    if (i < last && (text[i] == '+' || text[i] == '-')) number += text[i++];
    int exponentDigits = 0;
    for (; i < last && IsDecimalDigit(text[i]); ++i, ++exponentDigits) number += text[i];
    if (exponentDigits == 0) return false;
  }
  if (i != last) return false;

  double parsed = 0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), parsed);
  if (result.ec != std::errc() || result.ptr != number.data() + number.size()) return false;
  value = parsed;
  return true;
}

EColorConversionError::EColorConversionError(const std::string& text)
    : std::runtime_error("\"" + text + "\" is not a valid color value.") {}

bool TryTextToColor(const std::string& text, uint32_t& color) {
  if (StockColorFromName(text, color)) return true;
  for (const TColorIdentifier& identifier : kColorIdentifiers) {
    if (SameTextAscii(text, identifier.Name)) {
      color = identifier.Color;
      return true;
    }
  }
  int32_t number = 0;
  if (!TryTextToInt(text, number)) return false;
  color = static_cast<uint32_t>(number);
  return true;
}

uint32_t TextToColor(const std::string& text) {
  uint32_t color = 0;
  if (!TryTextToColor(text, color)) throw EColorConversionError(text);
  return color;
}

std::string ColorToText(uint32_t color) { return std::to_string(static_cast<int32_t>(color)); }

namespace {

// The shared rule of the checked conversions; false when the text is unreadable.
bool IntWithinLimits(const std::string& text, int32_t minimum, int32_t maximum,
                     int32_t defaultValue, int32_t& value, bool& inRange) {
  value = defaultValue;
  inRange = true;
  if (!text.empty() && !TryTextToInt(text, value)) {
    value = defaultValue;
    return false;
  }
  if (value < minimum || value > maximum) {
    value = defaultValue;
    inRange = false;
  }
  return true;
}

}  // namespace

bool CheckIntFromText(const std::string& text, int32_t minimum, int32_t maximum, int32_t& value,
                      int32_t defaultValue) {
  FUN_TRACE("CheckIntFromText");
  value = defaultValue;
  bool result = false;
  FUN_GUARD({
    bool inRange = true;
    if (!IntWithinLimits(text, minimum, maximum, defaultValue, value, inRange)) {
      FUN_RAISE("Text is not a valid integer.", text);
      return;
    }
    result = inRange;
  });
  return result;
}

int32_t GetIntFromText(const std::string& text, int32_t minimum, int32_t maximum,
                       int32_t defaultValue) {
  FUN_TRACE("GetIntFromText");
  int32_t value = defaultValue;
  FUN_GUARD({
    bool inRange = true;
    if (!IntWithinLimits(text, minimum, maximum, defaultValue, value, inRange))
      FUN_RAISE("Text is not a valid integer.", text);
  });
  return value;
}

int32_t GetIntFromTextAnyValue(const std::string& text) {
  return GetIntFromText(text, INT32_MIN, INT32_MAX, 0);
}
