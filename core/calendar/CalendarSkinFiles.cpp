#include "core/calendar/CalendarSkinFiles.h"

#include "core/trace/FunStatus.h"
#include "core/calendar/SkinParameters.h"

const char* const kSkinFileExtension = ".wps";
const char* const kSkinFolderName = "CalendarSkins";

namespace {

void ReadSkinValue(const TSkinValueGetter& get, const TColorParser& parseColor,
                   const std::vector<std::string>& fontNames, const TSkinParameter& parameter,
                   TCalendarSkin& skin, const TUnreadableValueSink& unreadable) {
  const std::string key = parameter.Key;
  if (parameter.IsList()) {
    std::string text = get(kCalendarSkinSection, key, parameter.DefaultText);
    if (text.empty()) text = parameter.DefaultText;
    const std::vector<std::string>& items = SkinParameterItems(parameter, fontNames);
    // With no font installed there is nothing to select; the stored name stays.
    SetSkinListValue(skin, parameter, items.empty() ? text : SelectListItem(items, text));
    return;
  }
  if (parameter.Kind == TSkinParameterKind::Bool) {
    bool& value = skin.*parameter.BoolValue;
    value = get(kCalendarSkinSection, key, value ? "TRUE" : "FALSE") == "TRUE";
    return;
  }
  const std::string text = get(kCalendarSkinSection, key, std::to_string(parameter.DefaultColor));
  uint32_t color = 0;
  if (!text.empty() && !(parseColor && parseColor(text, color))) {
    color = parameter.DefaultColor;
    if (unreadable) unreadable(kCalendarSkinSection, key, text);
  }
  skin.*parameter.ColorValue = color;
}

}  // namespace

bool ReadCalendarSkin(const TSkinValueGetter& get, const TColorParser& parseColor,
                      const std::vector<std::string>& fontNames, bool loadWholeSkin,
                      TCalendarSkin& skin, const TUnreadableValueSink& unreadable) {
  FUN_TRACE("ReadCalendarSkin");
  FUN_GUARD({
    for (const TSkinParameter& parameter : SkinParameters()) {
      if (!loadWholeSkin && parameter.Kind != TSkinParameterKind::Color) continue;
      ReadSkinValue(get, parseColor, fontNames, parameter, skin, unreadable);
    }
  });
  return !trace_.Failed();
}

bool WriteCalendarSkin(const TSkinValueSetter& set, const TCalendarSkin& skin) {
  FUN_TRACE("WriteCalendarSkin");
  FUN_GUARD({
    for (const TSkinParameter& parameter : SkinParameters())
      set(kCalendarSkinSection, parameter.Key, SkinValueText(skin, parameter));
  });
  return !trace_.Failed();
}

std::string SkinFileFilter() {
  return std::string("Skins (") + "*" + kSkinFileExtension + ")|" + "*" + kSkinFileExtension;
}

std::string SkinLoadDialogTitle(bool loadWholeSkin) {
  return loadWholeSkin ? "Load calendar skin" : "Load calendar colors";
}

namespace {

bool IsPathDelimiter(char c) { return c == '\\' || c == '/' || c == ':'; }

// Position of the extension's dot in the file-name part, or npos.
size_t ExtensionDot(const std::string& fileName) {
  const size_t cut = fileName.find_last_of(".\\/:");
  return cut != std::string::npos && fileName[cut] == '.' ? cut : std::string::npos;
}

}  // namespace

std::string SkinDialogInitialFileName(const std::string& programDirectory,
                                      std::string& lastCalendarSkinName) {
  if (lastCalendarSkinName.empty()) lastCalendarSkinName = "*";
  std::string directory = programDirectory;
  if (!directory.empty() && !IsPathDelimiter(directory.back())) directory += '\\';
  return directory + kSkinFolderName + "\\" + lastCalendarSkinName + kSkinFileExtension;
}

std::string WithSkinExtension(const std::string& fileName) {
  return ExtensionDot(fileName) == std::string::npos ? fileName + kSkinFileExtension : fileName;
}

std::string SkinNameOfFile(const std::string& fileName) {
  const size_t slash = fileName.find_last_of("\\/:");
  const size_t start = slash == std::string::npos ? 0 : slash + 1;
  const size_t dot = ExtensionDot(fileName);
  return fileName.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
}
