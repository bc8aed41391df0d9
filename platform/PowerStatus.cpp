#include "platform/PowerStatus.h"

#include <windows.h>

#include "core/control/Scheduler.h"

bool IsRunningOnMainsPower() {
  SYSTEM_POWER_STATUS status = {};
  const bool queried = GetSystemPowerStatus(&status) != FALSE;
  return IsMainsPowerStatus(queried, status.ACLineStatus);
}
