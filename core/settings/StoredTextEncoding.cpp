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
    case TStoredTextEncoding::LegacyCodePage: return decodeLegacy(bytes);
  }
  return std::string(bytes);
}
