#include "platform/WallpaperBroadcastSend.h"

#include "core/composition/WallpaperBroadcast.h"
#include "platform/Registry.h"

UINT RegisterWallpaperChangeMessage() { return RegisterWindowMessageA(kWallpaperChangeMessageName); }

void PostWallpaperChangeBroadcast(UINT message) {
  DWORD recipients = kBroadcastToApplications;
  // Nobody is waited for, so the result tells nothing worth acting on.
  BroadcastSystemMessageA(kBroadcastPostMessageFlag, &recipients, message, 0, 0);
}

void PublishWallpaperChange(const std::string& path, UINT message,
                            const std::function<void(UINT)>& post) {
  SetProgramRegistryText(kBroadcastRegistryProgram, kBroadcastRegistrySubKey, kBroadcastRegistryValueName,
                         path);
  post(message);
}
