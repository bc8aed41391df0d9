// The wallpaper change broadcast as other programs see it, and the Broadcast page texts.
#pragma once

#include <cstdint>

// Registered once; every program that registers the same name gets the same message id.
inline constexpr const char* WallpaperChangeMessageName = "Muralotrope - Broadcast Wallpaper Change";
inline constexpr uint32_t BroadcastPostMessageFlag = 0x10;   // posted: the sender never waits
inline constexpr uint32_t BroadcastToApplications = 8;       // all top-level application windows

// The picture path travels in HKEY_CURRENT_USER\Software\<program>\<sub-key>, value below.
inline constexpr const char* BroadcastRegistryProgram = "Muralotrope";
inline constexpr const char* BroadcastRegistrySubKey = "";
inline constexpr const char* BroadcastRegistryValueName = "BroadcastWallpaperChange";

inline constexpr const char* BroadcastHelpText =
    "\"Broadcasting\" is a process through which Muralotrope informs other programs which run "
    "on your system that they should change their wallpaper. They also receive the name of the "
    "picture file they should use as wallpaper. This way, other programs don't have to handle "
    "the module which chooses a picture. Only programs which have been specifically designed "
    "for this function can use it.";
inline constexpr const char* TestBroadcastHelpText =
    "If you are developing a program which uses the wallpaper change broadcast function and you "
    "need to test it, click the label bellow to force Muralotrope to broadcast this message.";
