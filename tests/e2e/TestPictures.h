// Small pictures made at test time with the system's own encoders.
#pragma once

#include <string>

// Writes a picture of the given size and format ("image/jpeg", "image/png",
// "image/bmp", "image/gif", "image/tiff") filled with a colour gradient.
bool WriteTestPicture(const std::string& path, int width, int height, const wchar_t* mimeType, unsigned seed);

// A handful of pictures of different formats, sizes and shapes.
void WriteMixedTestPictures(const std::string& folder);
