// Where the program keeps what it writes (the options file, the skins, the
// error log): beside itself when it may write there, as a copy carried on a
// stick does; otherwise in the user's own application-data folder, where an
// installed copy can write as any user.
#pragma once

#include <string>
#include <vector>

enum class TSettingsHome { BesideProgram, UserFolder };

TSettingsHome ChooseSettingsHome(bool programFolderWritable, bool userFolderAvailable);

// What the first start with settings in the user's folder copies from beside
// the program, so that nothing kept there before is lost.
struct TSettingsMigration {
  bool CopyOptionsFile = false;
  std::vector<std::string> SkinFiles;  // file names in the skins folder
};

// Copies only while the user's folder has no options file yet (its first
// start); a skin already there is kept. Only skin files (".wps") move.
TSettingsMigration PlanSettingsMigration(bool optionsFileInHome, bool optionsFileBesideProgram,
                                         const std::vector<std::string>& skinsBesideProgram,
                                         const std::vector<std::string>& skinsInHome);

// The folder in the user's application data, and the options file's name.
inline constexpr const char* kSettingsFolderName = "Muralotrope";
inline constexpr const char* kOptionsFileName = "Muralotrope.ini";
