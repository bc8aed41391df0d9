// Text on the system clipboard.
#pragma once

#include <windows.h>

#include <string>

// Sets the clipboard text, or appends to what it holds. An empty text is
// refused with a warning; a failure shows the error window with
// failureMessage ("Failed to copy text to clipboard." when empty). The owner
// window keeps the clipboard: without one, Windows refuses the data once the
// clipboard was emptied. True on success.
bool CopyTextToClipboard(const std::string& text, const std::string& failureMessage, bool beep, bool append,
                         HWND owner);

// The clipboard's text; empty when it holds none.
std::string ClipboardText(HWND owner = nullptr);
