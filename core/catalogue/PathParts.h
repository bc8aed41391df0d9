// The parts of a path as the catalogue uses them: the directory part runs up
// to and including the last backslash or colon, the file-name part is the rest.
// A bare drive ("C:") has no directory part and is its own file-name part.
#pragma once

#include <string>

// Paths compare ignoring the case of ASCII letters.
#include "core/text/AsciiText.h"

// At least two characters, the last of them a colon.
bool IsBareDrive(const std::string& path);

// Up to and including the last backslash or colon; empty when there is neither.
std::string DirectoryPart(const std::string& path);

// What follows the directory part.
std::string FileNamePart(const std::string& path);

// The last "." of the file-name part and what follows it; empty when there is none.
std::string ExtensionPart(const std::string& path);
