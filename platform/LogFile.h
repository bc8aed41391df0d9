// Appending reports to a log file.
#pragma once

#include <string>

// Appends one report between star lines to the log file, made when missing;
// a file larger than truncateAbove bytes is emptied first (old entries are
// discarded, not rotated). False when the file cannot be opened or written.
bool AppendToLogFile(const std::string& path, const std::string& memoText, unsigned truncateAbove);
