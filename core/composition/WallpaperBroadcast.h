// The wallpaper change broadcast as other programs see it, and the Broadcast page texts.
#pragma once

#include <cstdint>

// Registered once; every program that registers the same name gets the same message id.
inline constexpr const char* kWallpaperChangeMessageName = "Muralotrope - Broadcast Wallpaper Change";
inline constexpr uint32_t kBroadcastPostMessageFlag = 0x10;   // posted: the sender never waits
inline constexpr uint32_t kBroadcastToApplications = 8;       // all top-level application windows

// The picture path travels in HKEY_CURRENT_USER\Software\<program>\<sub-key>, value below.
inline constexpr const char* kBroadcastRegistryProgram = "Muralotrope";
inline constexpr const char* kBroadcastRegistrySubKey = "";
inline constexpr const char* kBroadcastRegistryValueName = "BroadcastWallpaperChange";

inline constexpr const char* kBroadcastHelpText =
    "\"Broadcasting\" is a process through which Muralotrope informs other programs which run "
    "on your system that they should change their wallpaper. They also receive the name of the "
    "picture file they should use as wallpaper. This way, other programs don't have to handle "
    "the module which chooses a picture. Only programs which have been specifically designed "
    "for this function can use it.";
inline constexpr const char* kTestBroadcastHelpText =
    "If you are developing a program which uses the wallpaper change broadcast function and you "
    "need to test it, click the label bellow to force Muralotrope to broadcast this message.";
