// Which files are pictures, decided from the image decoders' wildcard pattern
// texts (one text per decoder, patterns separated by ";", e.g. "*.JPG;*.JPEG").
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/catalogue/PictureList.h"

// The extensions of every pattern, one leading "*" removed, sorted under the
// collation with later equal ones dropped: PictureExtensionList.
std::vector<std::string> GetPictureExtensions(const std::vector<std::string>& decoderPatterns,
                                              const TCollation& compare);

// The decoders' pattern texts joined with ";" and lowered by the user locale:
// PictureFileFilter.
std::string GetPictureExtensionsAsFilter(
    const std::vector<std::string>& decoderPatterns,
    const std::function<std::string(const std::string&)>& lowerCase);

// An extension list as another imaging library's decoder gives it (".bmp,.dib;.rle":
// commas and semicolons both occur, spaces around them too) as a pattern text of the
// form above ("*.bmp;*.dib;*.rle"), so that both libraries' decoders join one list.
std::string DecoderPatternFromExtensions(const std::string& extensions);

// True when the path's extension is in the sorted extension list.
bool IsPictureFile(const std::string& path, const std::vector<std::string>& pictureExtensionList,
                   const TCollation& compare);
