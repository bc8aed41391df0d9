// Settings moved between a store and the controls that hold them, and the
// integer readers that repair a control holding an unusable value.
#pragma once

#include <windows.h>

#include <string>

#include "core/settings/StoredTextList.h"
#include "platform/Widgets.h"

void ReadCheckBox(const TStoredTextList& store, const std::string& section, const std::string& key, TCheckBox& box);
void WriteCheckBox(TStoredTextList& store, const std::string& section, const std::string& key, const TCheckBox& box);
// A drop-down list selects the first item equal to the text (any case), else item 0.
void ReadComboBox(const TStoredTextList& store, const std::string& section, const std::string& key,
                  const std::string& defaultText, TComboBox& box);
void WriteComboBox(TStoredTextList& store, const std::string& section, const std::string& key, const TComboBox& box);
void ReadColorPanel(const TStoredTextList& store, const std::string& section, const std::string& key,
                    TColorPanel& panel);
void WriteColorPanel(TStoredTextList& store, const std::string& section, const std::string& key,
                     const TColorPanel& panel);

// Selects text (or the fallback, or item 0) in a combo box.
void SelectComboText(TComboBox& box, const std::string& text, const std::string& fallback);

// The combo box's text as an integer in [minimum, maximum]; an unusable value
// warns, puts the default back into the box and gives the default.
int GetIntFromComboBox(TComboBox& box, int minimum, int maximum, int defaultValue);
int GetIntFromComboBoxAnyValue(TComboBox& box);

// The first direct item of a menu whose number (tag) matches and that is no separator.
int FindMenuItemByTag(HMENU menu, UINT tag);
