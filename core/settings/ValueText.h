// How single values are written as text in settings files and read back, and
// the checked integer conversions of the input fields.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// Integer text: optional leading blanks and sign, then decimal digits, or
// hexadecimal digits introduced by "$", "x" or "0x" (any case). Decimal must fit
// 32 signed bits; hexadecimal may use all 32 bits and wraps ("$FFFFFFFF" is -1),
// so that colour values written in hexadecimal read back. Anything else,
// trailing characters included, is unreadable.
bool TryTextToInt(const std::string& text, int32_t& value);

std::string BoolToText(bool value);
// Only the exact text "TRUE" is true.
bool TextToBool(const std::string& text);

// Shortest general form with up to 15 significant digits, the decimal point
// written as decimalSeparator; the exponent as in "1E20" or "1E-10".
std::string RealToText(double value, char decimalSeparator);
// Blanks around the number are allowed. The decimal point may be
// decimalSeparator or '.', so a file survives a change of the user's locale.
// Infinite, NaN, out-of-range and malformed texts are unreadable.
bool TryTextToReal(const std::string& text, char decimalSeparator, double& value);

// A colour text that matches no form of the colour rule, thrown by TextToColor.
class EColorConversionError : public std::runtime_error {
 public:
  explicit EColorConversionError(const std::string& text);
};

// The colour rule, in this order: a stock colour name (any case), a toolkit
// colour identifier clBlack..clInfoBk (any case), an integer text.
bool TryTextToColor(const std::string& text, uint32_t& color);
// As TryTextToColor; throws EColorConversionError when nothing matches.
uint32_t TextToColor(const std::string& text);
// The colour as a signed decimal integer (system colours are negative).
std::string ColorToText(uint32_t color);

// The traced checked conversions (trace names as the functions). An empty text
// gives the default; unreadable text gives the default and records a failure;
// a value outside [minimum, maximum] gives the default silently.
bool CheckIntFromText(const std::string& text, int32_t minimum, int32_t maximum, int32_t& value,
                      int32_t defaultValue);
int32_t GetIntFromText(const std::string& text, int32_t minimum, int32_t maximum,
                       int32_t defaultValue);
int32_t GetIntFromTextAnyValue(const std::string& text);
