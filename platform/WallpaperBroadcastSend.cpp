#include "platform/WallpaperBroadcastSend.h"

#include "core/composition/WallpaperBroadcast.h"
#include "platform/Registry.h"

UINT RegisterWallpaperChangeMessage() { return RegisterWindowMessageA(WallpaperChangeMessageName); }

void PostWallpaperChangeBroadcast(UINT message) {
  DWORD recipients = BroadcastToApplications;
  // Nobody is waited for, so the result tells nothing worth acting on.
  BroadcastSystemMessageA(BroadcastPostMessageFlag, &recipients, message, 0, 0);
}

void PublishWallpaperChange(const std::string& path, UINT message,
                            const std::function<void(UINT)>& post) {
  SetProgramRegistryText(BroadcastRegistryProgram, BroadcastRegistrySubKey, BroadcastRegistryValueName,
                         path);
  post(message);
}
