// Which files are pictures, as the imaging library's decoders tell (GDI+ must
// be running).
#pragma once

#include <string>
#include <vector>

// The decoders' file-name pattern texts in decoder order, each like
// "*.JPG;*.JPEG", in the system code page. Traced; false after a failure.
bool GetDecoderPatterns(std::vector<std::string>& patterns);

// Fills the list with the extensions of GDI+'s and the imaging component's decoders,
// sorted by the user locale: PictureExtensionList. A failure is recorded, not shown.
void GetPictureExtensions(std::vector<std::string>& list);

// Both libraries' decoder patterns joined with ";", lowered: PictureFileFilter.
std::string GetPictureExtensionsAsFilter();
