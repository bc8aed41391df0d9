// Sending the wallpaper change broadcast: the picture path goes into the registry
// and a registered message is posted to every top-level application window.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// The message id every program registering the broadcast's name shares.
UINT RegisterWallpaperChangeMessage();

// Posts the message to all top-level application windows without waiting.
void PostWallpaperChangeBroadcast(UINT message);

// Writes the path first, then posts: a receiver reads the value when it handles the
// message, so the value must be in place before anyone can get it.
void PublishWallpaperChange(const std::string& path, UINT message,
                            const std::function<void(UINT)>& post = PostWallpaperChangeBroadcast);
