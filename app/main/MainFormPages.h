// The main window's pages: their captions in tab order, and the indices the
// code selects them by.
#pragma once

#include <iterator>

enum TMainPage { kWallpaperPage, kCalendarPage, kProgramPage };
inline constexpr const char* kMainPageCaptions[] = {"Wallpaper", "Calendar", "General"};

enum TWallpaperPage { kWallpaperGeneralPage, kResizePage, kEffectsPage, kDirectoriesPage, kBroadcastPage };
inline constexpr const char* kWallpaperPageCaptions[] = {"General", "Resize", "Effects", "Directories", "Broadcast"};

inline constexpr const char* kCalendarPageCaptions[] = {"General", "Back",  "Back colors", "Header",
                                                         "Year",    "Month", "Day of week", "Days"};
inline constexpr int kCalendarPageCount = static_cast<int>(std::size(kCalendarPageCaptions));
