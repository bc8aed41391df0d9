// Small picture files for the composition tests, made at test time.
#pragma once

#include <windows.h>

#include <gdiplus.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/GdiPlusSession.h"

// A file name in the temporary directory.
std::string CompositionTempPath(const std::string& name);

// Writes a width x height picture with the given GDI+ encoder (a MIME type such as
// "image/png"); pixel(x, y) gives 0x00RRGGBB. False when there is no such encoder.
bool WriteEncodedPicture(const std::string& path, const wchar_t* mimeType, int width, int height,
                         const std::function<uint32_t(int x, int y)>& pixel);

// A uniform picture in the formats GDI+ has no encoder for.
bool WriteEnhancedMetafile(const std::string& path, int width, int height, uint32_t rgb);
bool WritePlaceableMetafile(const std::string& path, int width, int height, uint32_t rgb);
bool WriteIcon(const std::string& path, uint32_t rgb);
// GIF from an 8-bit palette picture, the form every GIF encoder takes.
bool WriteUniformGif(const std::string& path, int width, int height, uint32_t rgb);

// An APP1 segment with an Exif block holding just the orientation tag (big-endian).
std::string ExifOrientationSegment(int orientation);
// A JPEG file's bytes with that segment put right after the start marker.
std::string WithOrientationTag(const std::string& jpeg, int orientation);
// A 24- or 32-bit uncompressed TGA (a type only the imaging component reads), top row
// first, pixels as 0xAARRGGBB.
std::string TgaFile(int width, int height, int bits, const std::vector<uint32_t>& bgra);
// An uncompressed 8-bit BMP with the given palette (0x00RRGGBB, up to 256 colours) and
// the palette index of each pixel.
std::string IndexedBmpFile(int width, int height, const std::vector<uint32_t>& palette,
                           const std::function<uint8_t(int x, int y)>& index);

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);

// Channels of a 0x00RRGGBB pixel.
inline int RedOf(uint32_t rgb) { return (rgb >> 16) & 0xFF; }
inline int GreenOf(uint32_t rgb) { return (rgb >> 8) & 0xFF; }
inline int BlueOf(uint32_t rgb) { return rgb & 0xFF; }
