// The orientation tag of a photograph, read from the Exif block (APP1 segment) of
// a JPEG file. Any input is safe: the readers never look outside the bytes given,
// and anything malformed reads as upright.
#pragma once

#include <cstddef>
#include <cstdint>

// The tag (1..8) found in the first bytes of a JPEG file, walking its segments up to
// the image data; 1 when it is not a JPEG, has no Exif block or no valid tag. A head
// cut short is read as far as it goes.
int JpegOrientation(const uint8_t* data, size_t size);

// The tag (1..8) of one APP1 segment's contents ("Exif", two zero bytes, then the
// TIFF structure in either byte order); 1 when absent or malformed.
int ExifSegmentOrientation(const uint8_t* segment, size_t size);

// How many bytes from a file's start JpegOrientation may want: the largest Exif
// block can only follow a few smaller segments.
constexpr size_t kJpegOrientationHeadSize = 256 * 1024;
