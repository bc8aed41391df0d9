// The header of the wallpaper BMP file: 32-bit pixels stored top row first, exactly as
// the screen-sized bitmap holds them, so that the header and the pixels behind it go
// to the file in one write.
#pragma once

#include <cstddef>
#include <cstdint>

// The file header and the information header together.
constexpr size_t kBmpHeaderSize = 54;

// Writes the kBmpHeaderSize bytes for a width x height picture of 32-bit pixels (blue,
// green, red, unused) whose rows follow each other top row first. False, with nothing
// written, when the file would not fit the format's 32-bit sizes.
bool WriteBmpFileHeader(uint8_t* header, int width, int height);
