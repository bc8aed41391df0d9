// The texts that report the picture list and the current picture: the count
// label, the current-picture label and the notification-area tip.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The number in decimal with the user's thousands separator between groups of
// three digits and no decimals.
std::string FormatCount(int64_t value, const std::string& thousandsSeparator = ",");

// "There are N pictures ready to be used as wallpapers" (plural also for 0 and
// 1); "There are N pictures, none of which could be read" once every picture
// failed to load in a row.
std::string LoadedPicturesCountText(int64_t count, const std::string& thousandsSeparator = ",",
                                    bool noneReadable = false);

// "Current picture (index X) "name" in "directory"", X counting from 1 or
// "not in list" for a negative index.
std::string CurrentPictureText(int32_t currentPictureIndex, const std::string& currentFileTitle,
                               const std::string& thousandsSeparator = ",");

// The UTF-16 units a notification-area tip holds before its terminator.
constexpr size_t kTrayTipMaxUnits = 127;

// The notification-area icon's tip for the current picture, or that none of
// the pictures could be read; cut to kTrayTipMaxUnits on a character boundary.
std::string TrayTipText(const std::string& currentFileTitle, bool noneReadable = false);
