#include "core/settings/SettingsHome.h"

#include <algorithm>

#include "core/calendar/CalendarSkinFiles.h"
#include "core/catalogue/PathParts.h"

TSettingsHome ChooseSettingsHome(bool programFolderWritable, bool userFolderAvailable) {
  return programFolderWritable || !userFolderAvailable ? TSettingsHome::BesideProgram : TSettingsHome::UserFolder;
}

TSettingsMigration PlanSettingsMigration(bool optionsFileInHome, bool optionsFileBesideProgram,
                                         const std::vector<std::string>& skinsBesideProgram,
                                         const std::vector<std::string>& skinsInHome) {
  TSettingsMigration migration;
  if (optionsFileInHome) return migration;
  migration.CopyOptionsFile = optionsFileBesideProgram;
  for (const std::string& skin : skinsBesideProgram) {
    if (!SameTextAscii(ExtensionPart(skin), kSkinFileExtension)) continue;
    const bool present = std::any_of(skinsInHome.begin(), skinsInHome.end(),
                                     [&](const std::string& kept) { return SameTextAscii(kept, skin); });
    if (!present) migration.SkinFiles.push_back(skin);
  }
  return migration;
}
