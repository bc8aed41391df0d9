// The folder that holds the options file, the calendar skins and the error
// log: beside the program when the program's folder is writable, otherwise
// "Muralotrope" in the user's application-data folder.
#pragma once

#include <string>

// Decided once per run; with a trailing backslash.
std::string GetSettingsDirectory();
std::string GetPathInSettingsDirectory(const std::string& fileName);

// At start-up: makes the settings folder, copies the options file and the
// skins from beside the program at the first start in the user's folder, and
// makes the skins folder. Failures leave the program with what it has.
void PrepareSettingsDirectory();

// The decision for a program folder and the user's application-data folder
// (empty when there is none), with a trailing backslash.
std::string ChooseSettingsDirectory(const std::string& programDirectory, const std::string& userDataFolder);
// Copies what the plan names from the program folder into the settings folder;
// false when a copy failed.
bool MigrateSettings(const std::string& programDirectory, const std::string& settingsDirectory);
