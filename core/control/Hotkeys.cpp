#include "core/control/Hotkeys.h"

const char* const kDefaultHotkeyText = "W";

const std::vector<THotkeyBinding>& HotkeyBindings() {
  static const std::vector<THotkeyBinding> bindings = {
      {100, 2 | 4, THotkeyCommand::Next},
      {101, 2 | 1, THotkeyCommand::Previous},
      {102, 1 | 4, THotkeyCommand::Random},
  };
  return bindings;
}

const std::vector<std::string>& HotkeyLetterItems() {
  static const std::vector<std::string> items = [] {
    std::vector<std::string> letters;
    for (char letter = 'A'; letter <= 'Z'; ++letter) letters.emplace_back(1, letter);
    return letters;
  }();
  return items;
}

char GetHotkeyLetter(const std::string& comboText) {
  if (comboText.empty()) return kDefaultHotkeyText[0];
  char letter = comboText[0];
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  return letter >= 'A' && letter <= 'Z' ? letter : kDefaultHotkeyText[0];
}

std::optional<THotkeyCommand> GetHotkeyCommand(int id) {
  for (const THotkeyBinding& binding : HotkeyBindings())
    if (binding.Id == id) return binding.Command;
  return std::nullopt;
}

void RegisterHotkeys(char letter,
                     const std::function<void(int id, unsigned modifiers, unsigned virtualKey)>&
                         registerHotkey) {
  // Results are not looked at: a combination another program holds simply does not work.
  for (const THotkeyBinding& binding : HotkeyBindings())
    registerHotkey(binding.Id, binding.Modifiers, static_cast<unsigned char>(letter));
}

void UnregisterHotkeys(const std::function<void(int id)>& unregisterHotkey) {
  for (const THotkeyBinding& binding : HotkeyBindings()) unregisterHotkey(binding.Id);
}

bool IsCloseProgramKey(unsigned virtualKey, bool control, bool alt, bool shift) {
  return virtualKey == 'Q' && control && !alt && !shift;
}
