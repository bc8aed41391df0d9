// Moving a calendar skin between an INI store and its values, and the naming
// rules of skin files (".wps" in the "CalendarSkins" folder).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/calendar/CalendarSkin.h"

// Reads a value; gives the default when the key is missing (not when it is empty).
using TSkinValueGetter = std::function<std::string(
    const std::string& section, const std::string& key, const std::string& defaultValue)>;
using TSkinValueSetter = std::function<void(const std::string& section, const std::string& key,
                                            const std::string& value)>;
// The colour rule (stock colour names, colour identifiers, integers); false
// when the text is none of them.
using TColorParser = std::function<bool(const std::string& text, uint32_t& color)>;
// Told of each stored text that could not be read.
using TUnreadableValueSink = std::function<void(const std::string& section,
                                                const std::string& key, const std::string& text)>;

// Reads section "CalendarSkin" into the skin: every key in table order with
// loadWholeSkin, otherwise only the 22 colours. Lists take the stored text (the
// default when missing or empty) and select the matching item or the first
// one; a missing check box key leaves the value as it is; a missing colour key
// gives the default colour and an empty one black. A colour text the parser
// rejects also gives the default colour, is passed to unreadable and the read
// goes on, so that one damaged value costs no other. False only when the read
// itself failed (recorded in the trace).
bool ReadCalendarSkin(const TSkinValueGetter& get, const TColorParser& parseColor,
                      const std::vector<std::string>& fontNames, bool loadWholeSkin,
                      TCalendarSkin& skin, const TUnreadableValueSink& unreadable);

// Writes all 91 keys in table order into section "CalendarSkin".
bool WriteCalendarSkin(const TSkinValueSetter& set, const TCalendarSkin& skin);

extern const char* const kSkinFileExtension;  // ".wps"
extern const char* const kSkinFolderName;     // "CalendarSkins"

// "Skins (*.wps)|*.wps"
std::string SkinFileFilter();
// "Load calendar skin" for a whole skin, "Load calendar colors" for colours only.
std::string SkinLoadDialogTitle(bool loadWholeSkin);
// The skin folder, the last skin name ("*" when there is none yet; the name is
// set to it) and ".wps": the file name a load or save dialog opens on.
std::string SkinDialogInitialFileName(const std::string& programDirectory,
                                      std::string& lastCalendarSkinName);
// Appends ".wps" to a file name without extension.
std::string WithSkinExtension(const std::string& fileName);
// The file name without folder and extension: the new last skin name.
std::string SkinNameOfFile(const std::string& fileName);
