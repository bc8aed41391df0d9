// Putting text on the clipboard.
#pragma once

#include <string>

// Sets the clipboard's text (or appends to it). An empty text shows the warning
// "There is no text to copy to clipboard."; a clipboard failure shows the error
// window with failureMessage ("Failed to copy text to clipboard." when empty).
bool CopyTextToClipboard(const std::string& text, const std::string& failureMessage, bool beep,
                         bool append);
