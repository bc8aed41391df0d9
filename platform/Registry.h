// String values in the registry, and the program's own key under the current user.
#pragma once

#include <windows.h>

#include <string>

// Writes a string value, creating the key when missing; false when the key cannot be
// opened or the value written.
bool SetRegistryText(HKEY root, const std::string& key, const std::string& valueName,
                     const std::string& text);
// Reads a string value; empty when the key or the value is missing.
std::string GetRegistryText(HKEY root, const std::string& key, const std::string& valueName);

// The key HKEY_CURRENT_USER\Software\<program>[\<subKey>].
std::string ProgramRegistryKey(const std::string& program, const std::string& subKey);
bool SetProgramRegistryText(const std::string& program, const std::string& subKey,
                            const std::string& valueName, const std::string& text);
std::string GetProgramRegistryText(const std::string& program, const std::string& subKey,
                                   const std::string& valueName);
