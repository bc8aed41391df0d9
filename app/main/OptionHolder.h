// What holds a row of the options table in the main window, and how the row
// goes from the options file into it and back. Each part of the window gives
// the holders of its own rows.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>

#include "core/calendar/CalendarGeometry.h"
#include "core/settings/OptionsTable.h"
#include "core/settings/SectionValues.h"
#include "core/settings/StoredTextList.h"
#include "platform/Widgets.h"

struct TOptionHolder {
  // The control or value that holds the row, for its set-up; null for the other kinds.
  TCheckBox* CheckBox = nullptr;
  TComboBox* ComboBox = nullptr;
  TColorPanel* ColorPanel = nullptr;
  double* Real = nullptr;
  std::string* Text = nullptr;
  // Reads the row from the store into the holder, and writes it back.
  std::function<void(const TStoredTextList&, const TOption&)> Load;
  std::function<void(TStoredTextList&, const TOption&)> Save;
  // What follows from a value as soon as it is in its control, and from a save.
  std::function<void()> AfterLoad, AfterSave;

  explicit operator bool() const { return Load != nullptr; }
};

TOptionHolder CheckBoxHolder(TCheckBox& box);
TOptionHolder ComboBoxHolder(TComboBox& box);
// A missing colour is the row's default, not the panel's present one.
TOptionHolder ColorPanelHolder(TColorPanel& panel);
TOptionHolder RealHolder(double& value);
// Read only when not empty and not longer than a stored path may be.
TOptionHolder PathHolder(std::string& value);
TOptionHolder PlacementHolder(TCalendarPlacement& placement);
// A whole section that its owner reads and writes.
TOptionHolder SectionHolder(std::function<void(const TStoredTextList&, const std::string& section)> load,
                            std::function<void(TStoredTextList&, const std::string& section)> save);

// A section of key and value lines that its owner reads through a reader and
// hands back whole ("DirectoryList", "FavoritePictures").
TOptionHolder KeyValueSectionHolder(std::function<void(const TSectionReader&)> load, std::function<TKeyValues()> save);

// The holder named so among a part's holders; empty when none is.
TOptionHolder FindNamedHolder(const std::string& name,
                              std::initializer_list<std::pair<const char*, TOptionHolder>> holders);
