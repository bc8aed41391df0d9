// Opening a file with the program the shell associates with it.
#pragma once

#include <windows.h>

#include <string>

// Shows "The name of the file is empty." for an empty name; records "Failed to run
// file." when the shell refuses. True when the file was opened.
bool RunFile(HWND owner, const std::string& file, const std::string& parameters,
             const std::string& directory, bool quoteParameters, bool minimised);
