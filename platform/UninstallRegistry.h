// The platform's uninstall entry for an installed program.
#pragma once

#include <string>

bool SetUninstallRegistry(const std::string& keyName, const std::string& displayName, const std::string& command);
bool DeleteUninstallerRegistry(const std::string& keyName);
