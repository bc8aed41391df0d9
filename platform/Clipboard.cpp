#include "platform/Clipboard.h"

#include <cstring>

#include "core/trace/FunStatus.h"
#include "platform/MessageBoxes.h"

namespace {

// Another program (a clipboard viewer, the system's own clipboard service) may
// hold the clipboard for a moment after each change: opening tries again for up
// to about a second before it gives up.
constexpr int kOpenAttempts = 50;
constexpr DWORD kOpenRetryMs = 20;

class TOpenClipboard {
 public:
  explicit TOpenClipboard(HWND owner) {
    for (int attempt = 0; attempt < kOpenAttempts && !open_; ++attempt) {
      if (attempt > 0) Sleep(kOpenRetryMs);
      open_ = OpenClipboard(owner) != FALSE;
    }
  }
  ~TOpenClipboard() {
    if (open_) CloseClipboard();
  }
  TOpenClipboard(const TOpenClipboard&) = delete;
  TOpenClipboard& operator=(const TOpenClipboard&) = delete;
  bool Open() const { return open_; }

 private:
  bool open_ = false;
};

// The clipboard must be open.
std::string OpenClipboardText() {
  HANDLE data = GetClipboardData(CF_TEXT);
  if (!data) return {};
  const char* text = static_cast<const char*>(GlobalLock(data));
  if (!text) return {};
  std::string copy(text, strnlen(text, GlobalSize(data)));
  GlobalUnlock(data);
  return copy;
}

}  // namespace

std::string ClipboardText(HWND owner) {
  TOpenClipboard clipboard(owner);
  return clipboard.Open() ? OpenClipboardText() : std::string();
}

bool CopyTextToClipboard(const std::string& text, const std::string& failureMessage, bool beep, bool append,
                         HWND owner) {
  FUN_TRACE("CopyTextToClipboard");
  bool copied = false;
  FUN_GUARD({
    if (text.empty()) {
      ShowWarning("There is no text to copy to clipboard.");
      return;
    }
    TOpenClipboard clipboard(owner);
    if (!clipboard.Open()) {
      FUN_RAISE("Failed to open clipboard.", "", "", GetLastError());
      return;
    }
    const std::string content = append ? OpenClipboardText() + text : text;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, content.size() + 1);
    if (!memory) {
      FUN_RAISE("Failed to allocate clipboard memory.", std::to_string(content.size() + 1), "", GetLastError());
      return;
    }
    char* target = static_cast<char*>(GlobalLock(memory));
    if (!target) {
      const DWORD code = GetLastError();
      GlobalFree(memory);
      FUN_RAISE("Failed to lock clipboard memory.", std::to_string(content.size() + 1), "", code);
      return;
    }
    std::memcpy(target, content.c_str(), content.size() + 1);
    GlobalUnlock(memory);
    if (!EmptyClipboard()) {
      const DWORD code = GetLastError();
      GlobalFree(memory);
      FUN_RAISE("Failed to empty clipboard.", "", "", code);
      return;
    }
    if (!SetClipboardData(CF_TEXT, memory)) {
      const DWORD code = GetLastError();
      GlobalFree(memory);
      FUN_RAISE("Failed to set clipboard text.", "", "", code);
      return;
    }
    if (beep) Beep();
    copied = true;
  });
  FUN_SHOW(failureMessage.empty() ? "Failed to copy text to clipboard." : failureMessage);
  return copied;
}
