#include "core/composition/ExifOrientation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using TBytes = std::vector<uint8_t>;

void Put16(TBytes& bytes, uint32_t value, bool bigEndian) {
  if (bigEndian) {
    bytes.push_back(static_cast<uint8_t>(value >> 8));
    bytes.push_back(static_cast<uint8_t>(value));
  } else {
    bytes.push_back(static_cast<uint8_t>(value));
    bytes.push_back(static_cast<uint8_t>(value >> 8));
  }
}

void Put32(TBytes& bytes, uint32_t value, bool bigEndian) {
  Put16(bytes, bigEndian ? value >> 16 : value & 0xFFFF, bigEndian);
  Put16(bytes, bigEndian ? value & 0xFFFF : value >> 16, bigEndian);
}

// An Exif block: the TIFF header and a first directory of three entries (image width,
// the orientation, a date offset), the orientation second.
TBytes ExifSegment(uint32_t orientation, bool bigEndian, uint16_t type = 3) {
  TBytes tiff = {'E', 'x', 'i', 'f', 0, 0};
  tiff.push_back(bigEndian ? 'M' : 'I');
  tiff.push_back(bigEndian ? 'M' : 'I');
  Put16(tiff, 42, bigEndian);
  Put32(tiff, 8, bigEndian);
  Put16(tiff, 3, bigEndian);
  Put16(tiff, 0x0100, bigEndian), Put16(tiff, 4, bigEndian), Put32(tiff, 1, bigEndian), Put32(tiff, 4000, bigEndian);
  Put16(tiff, 0x0112, bigEndian), Put16(tiff, type, bigEndian), Put32(tiff, 1, bigEndian);
  if (type == 4) {
    Put32(tiff, orientation, bigEndian);
  } else {
    Put16(tiff, orientation, bigEndian);
    Put16(tiff, 0, bigEndian);
  }
  Put16(tiff, 0x0132, bigEndian), Put16(tiff, 2, bigEndian), Put32(tiff, 20, bigEndian), Put32(tiff, 50, bigEndian);
  Put32(tiff, 0, bigEndian);  // no next directory
  return tiff;
}

void AppendSegment(TBytes& jpeg, uint8_t marker, const TBytes& contents) {
  jpeg.push_back(0xFF);
  jpeg.push_back(marker);
  Put16(jpeg, static_cast<uint32_t>(contents.size() + 2), true);
  jpeg.insert(jpeg.end(), contents.begin(), contents.end());
}

// The head of a JPEG file: start of image, a JFIF block, a comment, the Exif block,
// a quantisation table and the start of the scan with a few bytes of data.
TBytes JpegHead(const TBytes& exif) {
  TBytes jpeg = {0xFF, 0xD8};
  AppendSegment(jpeg, 0xE0, {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
  AppendSegment(jpeg, 0xFE, {'h', 'e', 'l', 'l', 'o'});
  AppendSegment(jpeg, 0xE1, exif);
  AppendSegment(jpeg, 0xDB, TBytes(65, 1));
  AppendSegment(jpeg, 0xDA, {1, 1, 0, 0, 63, 0});
  jpeg.insert(jpeg.end(), {0x12, 0x34, 0xFF, 0x00, 0x56});
  return jpeg;
}

int Orientation(const TBytes& bytes) { return JpegOrientation(bytes.data(), bytes.size()); }

TEST(ExifOrientationTest, EveryTagInBothByteOrders) {
  for (bool bigEndian : {false, true})
    for (uint32_t tag = 1; tag <= 8; ++tag) {
      EXPECT_EQ(Orientation(JpegHead(ExifSegment(tag, bigEndian))), static_cast<int>(tag)) << tag;
      const TBytes segment = ExifSegment(tag, bigEndian);
      EXPECT_EQ(ExifSegmentOrientation(segment.data(), segment.size()), static_cast<int>(tag));
      EXPECT_EQ(Orientation(JpegHead(ExifSegment(tag, bigEndian, 4))), static_cast<int>(tag)) << "long";
    }
}

TEST(ExifOrientationTest, OddButValidLayouts) {
  // Fill bytes before a marker.
  TBytes padded = JpegHead(ExifSegment(6, false));
  padded.insert(padded.begin() + 2, {0xFF, 0xFF});
  EXPECT_EQ(Orientation(padded), 6);
  // The Exif block first, and a head cut off right after it.
  TBytes first = {0xFF, 0xD8};
  AppendSegment(first, 0xE1, ExifSegment(8, true));
  EXPECT_EQ(Orientation(first), 8);
  // A block cut short still gives the tag when the tag itself is inside.
  TBytes cut = JpegHead(ExifSegment(3, true));
  cut.resize(2 + 18 + 9 + 4 + 6 + 8 + 2 + 12 + 12);
  EXPECT_EQ(Orientation(cut), 3);
}

TEST(ExifOrientationTest, AnythingElseReadsAsUpright) {
  EXPECT_EQ(JpegOrientation(nullptr, 100), 1);
  EXPECT_EQ(Orientation({}), 1);
  EXPECT_EQ(Orientation({0xFF, 0xD8}), 1);
  EXPECT_EQ(Orientation({'G', 'I', 'F', '8', '9', 'a'}), 1);
  EXPECT_EQ(Orientation(JpegHead(ExifSegment(0, false))), 1);
  EXPECT_EQ(Orientation(JpegHead(ExifSegment(9, true))), 1);
  EXPECT_EQ(Orientation(JpegHead(ExifSegment(0x10006, true, 4))), 1);
  EXPECT_EQ(Orientation(JpegHead(ExifSegment(6, false, 2))), 1);  // wrong type
  // An Exif block after the start of the scan belongs to the image data.
  TBytes late = {0xFF, 0xD8};
  AppendSegment(late, 0xDA, {1, 1, 0, 0, 63, 0});
  AppendSegment(late, 0xE1, ExifSegment(6, false));
  EXPECT_EQ(Orientation(late), 1);

  auto changed = [](size_t offset, uint8_t value) {
    TBytes segment = ExifSegment(6, false);
    segment[offset] = value;
    return ExifSegmentOrientation(segment.data(), segment.size());
  };
  EXPECT_EQ(changed(0, 0), 1);       // not "Exif"
  EXPECT_EQ(changed(5, 1), 1);       // no second zero
  EXPECT_EQ(changed(6, 'M'), 1);     // mixed byte order mark
  EXPECT_EQ(changed(8, 43), 1);      // not 42
  EXPECT_EQ(changed(10, 4), 1);      // directory inside the header
  EXPECT_EQ(changed(10, 200), 1);    // directory beyond the block
  EXPECT_EQ(changed(13, 0xFF), 1);   // directory offset 4 GB away
  EXPECT_EQ(changed(14, 1), 1);      // one entry: the tag is not in it
  EXPECT_EQ(changed(14, 250), 6);    // more entries than fit: the tag comes before the end
  // A directory placed over the header is not read, even where an entry seems to fit.
  TBytes overlapping = ExifSegment(6, false);
  overlapping[10] = 4;  // the directory at 4: its "count" is this offset's own low half
  for (int i = 0; i < 12; ++i) overlapping[6 + 18 + i] = overlapping[6 + 22 + i];  // tag at 18
  EXPECT_EQ(ExifSegmentOrientation(overlapping.data(), overlapping.size()), 1);
  // Lengths that lie: below 2, and beyond the bytes given.
  TBytes shortLength = JpegHead(ExifSegment(6, false));
  shortLength[4] = 0, shortLength[5] = 1;
  EXPECT_EQ(Orientation(shortLength), 1);
  TBytes longComment = {0xFF, 0xD8, 0xFF, 0xFE, 0xFF, 0xFF, 'x'};
  EXPECT_EQ(Orientation(longComment), 1);
}

// Every input below lives in a buffer of exactly its size, so that the sanitizer
// stops any read past its end.
int OrientationOfCopy(const TBytes& bytes) {
  auto* copy = new uint8_t[bytes.size() ? bytes.size() : 1];
  std::copy(bytes.begin(), bytes.end(), copy);
  const int jpeg = JpegOrientation(copy, bytes.size());
  const int segment = ExifSegmentOrientation(copy, bytes.size());
  delete[] copy;
  EXPECT_TRUE(segment >= 1 && segment <= 8);
  return jpeg;
}

TEST(ExifOrientationTest, MalformedHeadsNeverReadOutOfBounds) {
  for (bool bigEndian : {false, true}) {
    const TBytes valid = JpegHead(ExifSegment(7, bigEndian));
    // Every truncation: the tag, or upright once the tag is cut away.
    for (size_t size = 0; size <= valid.size(); ++size) {
      const int tag = OrientationOfCopy(TBytes(valid.begin(), valid.begin() + size));
      ASSERT_TRUE(tag == 7 || tag == 1) << size;
    }
    // Every byte set to each of a few values that mean something to the reader.
    for (size_t i = 0; i < valid.size(); ++i)
      for (int value : {0x00, 0x01, 0x07, 0x2A, 0x7F, 0x80, 0xD8, 0xDA, 0xE1, 0xFE, 0xFF,
                        valid[i] ^ 0x80, valid[i] ^ 0x01}) {
        TBytes mutated = valid;
        mutated[i] = static_cast<uint8_t>(value);
        const int tag = OrientationOfCopy(mutated);
        ASSERT_TRUE(tag >= 1 && tag <= 8) << i << " = " << value;
      }
    // Random runs of changes from a fixed seed, each also cut at a random length.
    uint32_t seed = bigEndian ? 99 : 17;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u, seed >> 8; };
    for (int round = 0; round < 20000; ++round) {
      TBytes mutated = valid;
      for (int changes = 1 + next() % 4; changes > 0; --changes)
        mutated[next() % mutated.size()] = static_cast<uint8_t>(next());
      mutated.resize(next() % (mutated.size() + 1));
      const int tag = OrientationOfCopy(mutated);
      ASSERT_TRUE(tag >= 1 && tag <= 8) << round;
    }
  }
}

}  // namespace
