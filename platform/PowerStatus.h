// Whether the computer runs on mains power, as the scheduler asks it.
#pragma once

// True on mains power (AC line status 1); a failed query counts as mains power.
bool IsRunningOnMainsPower();
