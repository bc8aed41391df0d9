#include "core/composition/ExifOrientation.h"

namespace {

constexpr int kUpright = 1;
constexpr uint16_t kOrientationTag = 0x0112;
constexpr uint16_t kShortType = 3;
constexpr uint16_t kLongType = 4;
constexpr size_t kTiffHeaderSize = 8;
constexpr size_t kIfdEntrySize = 12;

// Reads of the TIFF structure in its byte order; every offset is checked against
// the size before it is read.
class TTiffReader {
 public:
  TTiffReader(const uint8_t* data, size_t size, bool bigEndian)
      : data_(data), size_(size), bigEndian_(bigEndian) {}
  bool Has(size_t offset, size_t count) const { return offset <= size_ && count <= size_ - offset; }
  uint16_t U16(size_t offset) const {
    const uint8_t* p = data_ + offset;
    return bigEndian_ ? static_cast<uint16_t>(p[0] << 8 | p[1]) : static_cast<uint16_t>(p[1] << 8 | p[0]);
  }
  uint32_t U32(size_t offset) const {
    const uint8_t* p = data_ + offset;
    return bigEndian_ ? (uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3])
                      : (uint32_t{p[3]} << 24 | uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0]);
  }

 private:
  const uint8_t* data_;
  size_t size_;
  bool bigEndian_;
};

int ValidOrientation(uint32_t value) { return value >= 1 && value <= 8 ? static_cast<int>(value) : kUpright; }

int TiffOrientation(const uint8_t* tiff, size_t size) {
  if (size < kTiffHeaderSize) return kUpright;
  bool bigEndian;
  if (tiff[0] == 'I' && tiff[1] == 'I')
    bigEndian = false;
  else if (tiff[0] == 'M' && tiff[1] == 'M')
    bigEndian = true;
  else
    return kUpright;
  const TTiffReader reader(tiff, size, bigEndian);
  if (reader.U16(2) != 42) return kUpright;
  // The first directory cannot overlap the header.
  const size_t directory = reader.U32(4);
  if (directory < kTiffHeaderSize || !reader.Has(directory, 2)) return kUpright;
  const size_t entries = reader.U16(directory);
  for (size_t i = 0; i < entries; ++i) {
    const size_t entry = directory + 2 + i * kIfdEntrySize;
    if (!reader.Has(entry, kIfdEntrySize)) return kUpright;
    if (reader.U16(entry) != kOrientationTag) continue;
    const uint16_t type = reader.U16(entry + 2);
    if (reader.U32(entry + 4) < 1) return kUpright;
    // A value that fits four bytes is stored in the entry itself, first bytes first.
    if (type == kShortType) return ValidOrientation(reader.U16(entry + 8));
    if (type == kLongType) return ValidOrientation(reader.U32(entry + 8));
    return kUpright;
  }
  return kUpright;
}

}  // namespace

int ExifSegmentOrientation(const uint8_t* segment, size_t size) {
  static const uint8_t kExifHeader[6] = {'E', 'x', 'i', 'f', 0, 0};
  if (segment == nullptr || size < sizeof(kExifHeader)) return kUpright;
  for (size_t i = 0; i < sizeof(kExifHeader); ++i)
    if (segment[i] != kExifHeader[i]) return kUpright;
  return TiffOrientation(segment + sizeof(kExifHeader), size - sizeof(kExifHeader));
}

int JpegOrientation(const uint8_t* data, size_t size) {
  constexpr uint8_t kMarker = 0xFF, kStartOfImage = 0xD8, kEndOfImage = 0xD9, kStartOfScan = 0xDA,
                    kApp1 = 0xE1, kTemporary = 0x01, kFirstRestart = 0xD0, kLastRestart = 0xD7;
  if (data == nullptr || size < 2 || data[0] != kMarker || data[1] != kStartOfImage) return kUpright;
  size_t position = 2;
  while (position < size) {
    if (data[position] != kMarker) return kUpright;
    // Any number of fill bytes may come before a marker.
    while (position < size && data[position] == kMarker) ++position;
    if (position >= size) return kUpright;
    const uint8_t marker = data[position++];
    if (marker == kStartOfScan || marker == kEndOfImage) return kUpright;
    if (marker == kTemporary || (marker >= kFirstRestart && marker <= kLastRestart)) continue;
    if (size - position < 2) return kUpright;
    const size_t length = static_cast<size_t>(data[position]) << 8 | data[position + 1];
    if (length < 2) return kUpright;
    const size_t available = size - position - 2;
    const size_t contents = length - 2 < available ? length - 2 : available;
    if (marker == kApp1 && contents >= 6 && data[position + 2] == 'E' && data[position + 3] == 'x' &&
        data[position + 4] == 'i' && data[position + 5] == 'f')
      return ExifSegmentOrientation(data + position + 2, contents);
    if (length - 2 > available) return kUpright;
    position += length;
  }
  return kUpright;
}
