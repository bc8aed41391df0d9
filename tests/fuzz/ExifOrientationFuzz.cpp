// Fuzzing entry point of the Exif orientation reader. Built with libFuzzer by
// scripts/fuzz.sh; the native build links it with FuzzReplay.cpp instead, which
// runs it over files given on the command line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/composition/ExifOrientation.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const int fromFile = JpegOrientation(data, size);
  const int fromSegment = ExifSegmentOrientation(data, size);
  if (fromFile < 1 || fromFile > 8 || fromSegment < 1 || fromSegment > 8) std::abort();
  return 0;
}
