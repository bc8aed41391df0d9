// The system's legacy ANSI code page: the one that option and skin files of
// earlier versions were written in, even when the program itself speaks UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The system locale's ANSI code page; 1252 when the locale has none or names UTF-8.
uint32_t LegacyAnsiCodePage();

// Text in the legacy ANSI code page, as UTF-8.
std::string LegacyTextToUtf8(std::string_view text);
