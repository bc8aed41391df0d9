#include "core/settings/StoredTextEncoding.h"

#include "core/text/Utf8Text.h"

const char* const kUtf8ByteOrderMark = "\xEF\xBB\xBF";

TStoredTextEncoding DetectStoredTextEncoding(std::string_view bytes) {
  if (bytes.substr(0, 3) == kUtf8ByteOrderMark) return TStoredTextEncoding::Utf8WithByteOrderMark;
  return IsValidUtf8(bytes) ? TStoredTextEncoding::Utf8 : TStoredTextEncoding::LegacyCodePage;
}

std::string StoredTextAsUtf8(std::string_view bytes, const TLegacyDecoder& decodeLegacy) {
  switch (DetectStoredTextEncoding(bytes)) {
    case TStoredTextEncoding::Utf8WithByteOrderMark: return std::string(bytes.substr(3));
    case TStoredTextEncoding::Utf8: return std::string(bytes);
    case TStoredTextEncoding::LegacyCodePage: break;
  }
  // Line by line: a UTF-8 file in which the user typed one line in the legacy
  // code page keeps its other names as they are.
  std::string text;
  text.reserve(bytes.size() + bytes.size() / 2);
  while (!bytes.empty()) {
    const size_t end = bytes.find('\n');
    const std::string_view line = bytes.substr(0, end == std::string_view::npos ? bytes.size() : end + 1);
    if (IsValidUtf8(line))
      text += line;
    else
      text += decodeLegacy(line);
    bytes.remove_prefix(line.size());
  }
  return text;
}
