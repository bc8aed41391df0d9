// Small text rules shared by every layer: path parts and ASCII case folding.
#pragma once

#include <string>

// Everything up to and including the last backslash or colon; empty when
// there is neither. A bare drive ("C:") has an empty directory part.
std::string DirectoryPart(const std::string& path);
// What follows the directory part; a bare drive is its own file-name part.
std::string FileNamePart(const std::string& path);

// Letters a..z folded, every other byte compared as it is.
bool EqualsIgnoreCase(const std::string& a, const std::string& b);
std::string AsciiLower(std::string text);
std::string AsciiUpper(std::string text);
