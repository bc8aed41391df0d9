// The options file's table: one row per entry, in the order the file holds
// them. It drives the option controls' items and defaults when the main
// window is made, and the options load and save alike.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/settings/SectionValues.h"  // kMaxStoredPathLength, which Path rows obey

enum class TOptionKind {
  CheckBox,        // a check box; "TRUE"/"FALSE"
  ComboBox,        // a drop-down list, stored as its text
  ColorPanel,      // a colour panel, stored as the colour in decimal
  Real,            // a date-time the window keeps, in general decimal form
  Path,            // a path the window keeps; read only when not empty and not too long
  WindowPosition,  // the main window's left and top edges
  PlacementRect,   // the calendar's placement fractions
  Section,         // a whole section that its holder reads and writes
};

struct TOption {
  std::string Section;
  // One key; the window position has two, the placement four, a whole section none.
  std::vector<std::string> Keys;
  TOptionKind Kind = TOptionKind::CheckBox;
  // The fixed items of a drop-down list; null for every other kind.
  const std::vector<std::string>* Items = nullptr;
  // Lists: the default item's text; check boxes: "TRUE" or "FALSE".
  std::string DefaultText;
  uint32_t DefaultColor = 0;  // colour panels only, 0x00BBGGRR
  // What holds the value in the main window: the control's name
  // ("AutorunCheckBox"), else the name of the window's own value
  // ("LastRedrawTime") or of the part that owns a whole section ("Favorites").
  std::string Holder;

  const std::string& Key() const { return Keys.front(); }
  bool DefaultChecked() const { return DefaultText == "TRUE"; }
};

// Every entry of the options file in file order; a section's rows are adjacent.
const std::vector<TOption>& OptionsTable();

// The row held by a holder; null when no row names it.
const TOption* FindOption(const std::string& holder);
