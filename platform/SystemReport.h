// Connects the status trace's report to the running system: error texts,
// the user's locale date and time, the program path.
#pragma once

#include <string>

std::string SystemErrorMessage(unsigned long code);

// Fills the trace's report environment; the error window adds its own part.
void InstallSystemReportEnvironment();
