// The paths of files dropped on a window.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

// Replaces the list with the dropped paths in the order the shell gives them,
// and always releases the drop handle. Traced; a failure is recorded.
void DroppedFilesToList(HDROP drop, std::vector<std::string>& list);
