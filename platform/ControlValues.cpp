#include "platform/ControlValues.h"

#include <climits>

#include "core/trace/FunStatus.h"
#include "core/settings/OptionsRules.h"
#include "core/settings/ValueText.h"
#include "platform/MessageBoxes.h"

void ReadCheckBox(const TStoredTextList& store, const std::string& section, const std::string& key, TCheckBox& box) {
  bool checked = box.Checked();
  ReadBool(store, section, key, checked);
  box.SetChecked(checked);
}

void WriteCheckBox(TStoredTextList& store, const std::string& section, const std::string& key, const TCheckBox& box) {
  WriteBool(store, section, key, box.Checked());
}

void ReadComboBox(const TStoredTextList& store, const std::string& section, const std::string& key,
                  const std::string& defaultText, TComboBox& box) {
  const std::string text = ReadComboBoxText(store, section, key, defaultText);
  if (box.IsDropDownList())
    box.SetItemIndex(SelectComboIndex(box.Items(), text, ""));
  else
    box.SetText(text);
}

void WriteComboBox(TStoredTextList& store, const std::string& section, const std::string& key, const TComboBox& box) {
  WriteText(store, section, key, box.Text());
}

void ReadColorPanel(const TStoredTextList& store, const std::string& section, const std::string& key,
                    TColorPanel& panel) {
  uint32_t color = panel.Tag;
  ReadColor(store, section, key, color);
  panel.SetColor(color);
}

void WriteColorPanel(TStoredTextList& store, const std::string& section, const std::string& key,
                     const TColorPanel& panel) {
  WriteColor(store, section, key, panel.Color());
}

void SelectComboText(TComboBox& box, const std::string& text, const std::string& fallback) {
  box.SetItemIndex(SelectComboIndex(box.Items(), text, fallback));
}

int GetIntFromComboBox(TComboBox& box, int minimum, int maximum, int defaultValue) {
  FUN_TRACE("GetIntFromComboBox");
  int value = defaultValue;
  FUN_GUARD({
    const std::string text = box.Text();
    bool readable = true;
    if (!text.empty()) {
      int32_t parsed = 0;
      readable = TryTextToInt(text, parsed);
      if (readable)
        value = parsed;
      else
        FUN_RAISE("Text is not a valid integer.", text);
    }
    if (readable && value >= minimum && value <= maximum) return;
    ShowWarning("Integer value outside limits.\nIt will be set to default.\n    * Minimum = " + std::to_string(minimum) +
                "\n    * Maximum = " + std::to_string(maximum) + "\n    * Default = " + std::to_string(defaultValue));
    box.SetFocus();
    box.SetText(std::to_string(defaultValue));
    value = defaultValue;
  });
  return value;
}

int GetIntFromComboBoxAnyValue(TComboBox& box) { return GetIntFromComboBox(box, INT_MIN, INT_MAX, 0); }

int FindMenuItemByTag(HMENU menu, UINT tag) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_FTYPE;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    if (!(info.fType & MFT_SEPARATOR) && info.wID == tag) return i;
  }
  return -1;
}
