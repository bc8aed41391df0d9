// The calendar skin's parameter table: one row per skin key, in the order the
// keys are written. It drives reading and writing skins, the default skin and
// the creation of the Calendar page's controls alike.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/calendar/CalendarSkin.h"

// The INI section that holds a skin, in skin files and in the options file.
extern const char* const kCalendarSkinSection;

enum class TSkinParameterKind {
  FontName,      // drop-down list of the installed font names; TextValue
  IntList,       // drop-down list of fixed numbers; IntValue
  Translucency,  // drop-down list 0, 5 .. 100; IntValue
  Choice,        // drop-down list of fixed words; TextValue
  Bool,          // check box; BoolValue
  Color,         // colour panel; ColorValue
};

struct TSkinParameter {
  const char* Key = "";
  const char* ControlName = "";
  const char* Page = "";  // the tab of the Calendar page that holds the control
  TSkinParameterKind Kind = TSkinParameterKind::IntList;
  // Fixed items of a list; null for fonts (the installed names), check boxes and colours.
  const std::vector<std::string>* Items = nullptr;
  // Lists: the default item's text; check boxes: "TRUE" or "FALSE"; colours: empty.
  const char* DefaultText = "";
  uint32_t DefaultColor = 0;  // colours only, 0x00BBGGRR
  // Where the value lives; only the member of the row's kind is set.
  int TCalendarSkin::*IntValue = nullptr;
  bool TCalendarSkin::*BoolValue = nullptr;
  uint32_t TCalendarSkin::*ColorValue = nullptr;
  std::string TCalendarSkin::*TextValue = nullptr;

  bool IsList() const {
    return Kind != TSkinParameterKind::Bool && Kind != TSkinParameterKind::Color;
  }
};

// All 91 rows in writing order; the 22 colours are the last rows.
const std::vector<TSkinParameter>& SkinParameters();

// The items a row's control lists: the installed fonts for a font row.
const std::vector<std::string>& SkinParameterItems(const TSkinParameter& parameter,
                                                   const std::vector<std::string>& fontNames);

// List texts compare without regard to case.
bool SameListText(const std::string& a, const std::string& b);

// The list rule: the first item equal to the text regardless of case, else the
// first item; empty for an empty list.
std::string SelectListItem(const std::vector<std::string>& items, const std::string& text);

// A row's value as stored: the list text, "TRUE"/"FALSE", or the colour in decimal.
std::string SkinValueText(const TCalendarSkin& skin, const TSkinParameter& parameter);

// Sets a list row to an item's text (numbers are taken from the text).
void SetSkinListValue(TCalendarSkin& skin, const TSkinParameter& parameter,
                      const std::string& itemText);

// Every list at its default item (or its first item when the default is not
// listed, as a missing font), every check box and colour at its default.
TCalendarSkin DefaultCalendarSkin(const std::vector<std::string>& fontNames);
