#include "platform/Clipboard.h"

#include <cstring>
#include <cwchar>

#include "core/trace/FunStatus.h"
#include "platform/LegacyCodePage.h"
#include "platform/MessageBoxes.h"
#include "platform/WinText.h"

namespace {

class TOpenClipboard {
 public:
  // Another program that reads the clipboard holds it open for a moment:
  // try again for about a second before giving up.
  explicit TOpenClipboard(HWND owner) {
    for (int attempt = 0; attempt < 50 && !open_; ++attempt) {
      if (attempt > 0) Sleep(20);
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

// The clipboard must be open. Its Unicode text, which carries any script.
std::string OpenClipboardText() {
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (!data) return {};
  const wchar_t* text = static_cast<const wchar_t*>(GlobalLock(data));
  if (!text) return {};
  std::wstring copy(text, wcsnlen(text, GlobalSize(data) / sizeof(wchar_t)));
  GlobalUnlock(data);
  return WideToAnsi(copy);
}

// Global memory holding the bytes, for SetClipboardData; null on failure
// (recorded).
HGLOBAL ClipboardMemory(const void* bytes, size_t size) {
  FUN_TRACE("ClipboardMemory");
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!memory) {
    FUN_RAISE("Failed to allocate clipboard memory.", std::to_string(size), "", GetLastError());
    return nullptr;
  }
  void* target = GlobalLock(memory);
  if (!target) {
    const DWORD code = GetLastError();
    GlobalFree(memory);
    FUN_RAISE("Failed to lock clipboard memory.", std::to_string(size), "", code);
    return nullptr;
  }
  std::memcpy(target, bytes, size);
  GlobalUnlock(memory);
  return memory;
}

// Puts the memory on the open clipboard, which then owns it.
bool SetClipboardMemory(UINT format, HGLOBAL memory) {
  FUN_TRACE("SetClipboardMemory");
  if (!SetClipboardData(format, memory)) {
    const DWORD code = GetLastError();
    GlobalFree(memory);
    FUN_RAISE("Failed to set clipboard text.", std::to_string(format), "", code);
    return false;
  }
  return true;
}

// The text in the system's legacy ANSI code page, as programs that read the
// ANSI format expect it; characters that code page lacks become '?'.
std::string LegacyAnsiText(const std::wstring& text) {
  if (text.empty()) return {};
  const UINT codePage = LegacyAnsiCodePage();
  const int length = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
  std::string ansi(static_cast<size_t>(length > 0 ? length : 0), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), ansi.data(), length, nullptr,
                      nullptr);
  return ansi;
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
    // Both formats, so that no reader depends on the system's conversion
    // between them, which goes through the locale's code page.
    const std::wstring content = AnsiToWide(append ? OpenClipboardText() + text : text);
    const std::string ansi = LegacyAnsiText(content);
    HGLOBAL unicodeMemory = nullptr;
    FUN_CALL(unicodeMemory = ClipboardMemory(content.c_str(), (content.size() + 1) * sizeof(wchar_t)));
    HGLOBAL ansiMemory = ClipboardMemory(ansi.c_str(), ansi.size() + 1);
    if (trace_.CalleeFailed()) {
      GlobalFree(unicodeMemory);
      return;
    }
    if (!EmptyClipboard()) {
      const DWORD code = GetLastError();
      GlobalFree(unicodeMemory);
      GlobalFree(ansiMemory);
      FUN_RAISE("Failed to empty clipboard.", "", "", code);
      return;
    }
    if (!SetClipboardMemory(CF_UNICODETEXT, unicodeMemory)) {
      GlobalFree(ansiMemory);
      trace_.CalleeFailed();
      return;
    }
    FUN_CALL(SetClipboardMemory(CF_TEXT, ansiMemory));
    if (beep) Beep();
    copied = true;
  });
  FUN_SHOW(failureMessage.empty() ? "Failed to copy text to clipboard." : failureMessage);
  return copied;
}
