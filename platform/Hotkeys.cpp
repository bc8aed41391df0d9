#include "platform/Hotkeys.h"

#include "core/control/Hotkeys.h"

void RegisterWindowHotkeys(HWND window, char letter) {
  RegisterHotkeys(letter, [window](int id, unsigned modifiers, unsigned virtualKey) {
    RegisterHotKey(window, id, modifiers, virtualKey);
  });
}

void UnregisterWindowHotkeys(HWND window) {
  UnregisterHotkeys([window](int id) { UnregisterHotKey(window, id); });
}
