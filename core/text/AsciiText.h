// Case folding of the letters A to Z only, as file names, INI keys and list
// items compare: other bytes (UTF-8 included) stay as they are.
#pragma once

#include <string>

// The letter lowered when it is one of A to Z.
inline char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Equal when only the letters a to z differ in case; other bytes compare as they are.
bool SameTextAscii(const std::string& a, const std::string& b);

// Letters A to Z lowered, other bytes kept.
std::string LowerCaseAscii(std::string text);
