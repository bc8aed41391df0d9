// The three global hotkeys: one letter with three modifier pairs, each calling
// one of the navigation commands.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

enum class THotkeyCommand { Next, Previous, Random };

struct THotkeyBinding {
  int Id;                  // the WM_HOTKEY identifier
  unsigned Modifiers;      // MOD_ flags: Alt 1, Control 2, Shift 4
  THotkeyCommand Command;
};

// 100 Ctrl+Shift next, 101 Ctrl+Alt previous, 102 Alt+Shift random, in registration order.
const std::vector<THotkeyBinding>& HotkeyBindings();

// Items of the letter list, "A" .. "Z".
const std::vector<std::string>& HotkeyLetterItems();
extern const char* const kDefaultHotkeyText;  // "W"

// The letter of a combo text: its first character in upper case when that is
// a letter "A".."Z", otherwise the default "W". Its code is the virtual key.
char GetHotkeyLetter(const std::string& comboText);

// The command of a WM_HOTKEY identifier; none for identifiers not ours.
std::optional<THotkeyCommand> GetHotkeyCommand(int id);

// Registers (or unregisters) every binding through the platform, in table order.
void RegisterHotkeys(char letter,
                     const std::function<void(int id, unsigned modifiers, unsigned virtualKey)>&
                         registerHotkey);
void UnregisterHotkeys(const std::function<void(int id)>& unregisterHotkey);

// The main window's own key, Ctrl+Q, which closes the program as the Close
// link does: Q with Control and neither Alt nor Shift.
bool IsCloseProgramKey(unsigned virtualKey, bool control, bool alt, bool shift);
