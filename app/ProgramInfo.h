// The program's name, version and description as the windows show them.
#pragma once

#include <string>

inline constexpr const char* kProgramName = "Muralotrope";
inline constexpr const char* kProgramVersion = "Version 1.2.3, released on 21.11.2007";
inline constexpr const char* kProgramDescription = "Manage your desktop wallpapers";
