#include "platform/ClipboardText.h"

#include <windows.h>

#include <cstring>

#include "core/FunStatus.h"
#include "platform/MessageBoxes.h"

namespace {

std::string ClipboardTextNow() {
  HANDLE data = GetClipboardData(CF_TEXT);
  if (!data) return "";
  const char* text = static_cast<const char*>(GlobalLock(data));
  std::string result = text ? text : "";
  GlobalUnlock(data);
  return result;
}

}  // namespace

bool CopyTextToClipboard(const std::string& text, const std::string& failureMessage, bool beep,
                         bool append) {
  FUN_TRACE("CopyTextToClipboard");
  bool copied = false;
  FUN_GUARD({
    if (text.empty()) {
      ShowWarning("There is no text to copy to clipboard.");
      return;
    }
    SetLastError(0);
    if (!OpenClipboard(nullptr)) {
      FUN_RAISE("Failed to open clipboard.", "", "", GetLastError());
      return;
    }
    const std::string whole = append ? ClipboardTextNow() + text : text;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, whole.size() + 1);
    if (memory) {
      std::memcpy(GlobalLock(memory), whole.c_str(), whole.size() + 1);
      GlobalUnlock(memory);
      SetLastError(0);
      if (EmptyClipboard() && SetClipboardData(CF_TEXT, memory))
        copied = true;
      else
        GlobalFree(memory);
    }
    const DWORD error = GetLastError();
    CloseClipboard();
    if (!copied) {
      FUN_RAISE("Failed to set clipboard text.", "", "", error);
      return;
    }
    if (beep) Beep();
  });
  FUN_SHOW(failureMessage.empty() ? "Failed to copy text to clipboard." : failureMessage);
  return copied;
}
