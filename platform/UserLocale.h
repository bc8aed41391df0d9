// The user locale's rules for the catalogue's texts: case-insensitive
// collation, lower-casing and the thousands separator.
#pragma once

#include <string>

// Negative, zero or positive, case-insensitively by the user locale.
int CompareTextUserLocale(const std::string& a, const std::string& b);

// The sort key of CompareTextUserLocale: keys compare byte by byte as the
// texts compare. Made once per text, it spares a collation call per pair.
bool SortKeyUserLocale(const std::string& text, std::string& key);

// Equal as the file system sees names: case-insensitively by the system's
// Unicode case table ("Фото" and "ФОТО" are one folder).
bool SameNameIgnoringCase(const std::string& a, const std::string& b);

// The text lowered by the user locale.
std::string LowerCaseUserLocale(std::string text);

// The user's digit-group separator ("," when the locale gives none).
std::string UserThousandsSeparator();
