// How the catalogue decides that two stored names (folder and picture paths)
// are one: the file system's rule, which folds letter case in every script,
// is the platform's to give; without it only the letters A to Z fold.
#pragma once

#include <string>

using TSameNameRule = bool (*)(const std::string& a, const std::string& b);
