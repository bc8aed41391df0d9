// The directory walk that finds the picture files of a directory row.
#pragma once

#include <string>
#include <vector>

// Appends the full paths of the files in `directory` whose names match
// `filter` (";"-separated wildcard patterns; empty: every file), descending
// into subdirectories when `recursive` is set. Hidden, system and volume-label
// entries are skipped; directories that are reparse points (junctions,
// symbolic links) are never entered, so a link cannot make the walk loop or
// leave the tree. A path with no directory part is ignored. Failures are
// recorded, not shown; the entries found before a failure stay.
void LoadFilesList(const std::string& directory, const std::string& filter, std::vector<std::string>& files,
                   bool recursive);
