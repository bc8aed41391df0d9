// How a text file read from disk becomes the program's UTF-8 text. Files from
// earlier versions were written in the system's legacy code page; a file with
// the UTF-8 byte-order mark, or one that is well-formed UTF-8, is UTF-8.
#pragma once

#include <functional>
#include <string>
#include <string_view>

enum class TStoredTextEncoding { Utf8, Utf8WithByteOrderMark, LegacyCodePage };

// Bytes EF BB BF.
extern const char* const kUtf8ByteOrderMark;

TStoredTextEncoding DetectStoredTextEncoding(std::string_view bytes);

// Turns text in the system's legacy code page into UTF-8: a platform call.
using TLegacyDecoder = std::function<std::string(std::string_view legacyText)>;

// The file's text in UTF-8: without its byte-order mark, unchanged when it is
// well-formed UTF-8, otherwise each line that is not well-formed UTF-8
// through `decodeLegacy`.
std::string StoredTextAsUtf8(std::string_view bytes, const TLegacyDecoder& decodeLegacy);
