// The platform's uninstall entry for an installed program.
#pragma once

#include <string>

bool SetUninstallRegistry(const std::string& keyName, const std::string& displayName, const std::string& command);
bool DeleteUninstallerRegistry(const std::string& keyName);
// True when the process may write the entry, or delete it when it exists
// (under HKEY_LOCAL_MACHINE only administrators may).
bool CanWriteUninstallRegistry(const std::string& keyName);
