#include "core/composition/BmpFileHeader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

int32_t Field32(const std::vector<uint8_t>& header, size_t at) {
  return static_cast<int32_t>(header[at] | header[at + 1] << 8 | header[at + 2] << 16 |
                              static_cast<uint32_t>(header[at + 3]) << 24);
}

TEST(BmpFileHeaderTest, DescribesTopDownThirtyTwoBitPixelsRightBehindIt) {
  std::vector<uint8_t> header(kBmpHeaderSize, 0xAA);
  ASSERT_TRUE(WriteBmpFileHeader(header.data(), 3840, 2160));
  EXPECT_EQ(header[0], 'B');
  EXPECT_EQ(header[1], 'M');
  EXPECT_EQ(Field32(header, 2), 54 + 3840 * 2160 * 4);
  EXPECT_EQ(Field32(header, 6), 0);  // reserved
  EXPECT_EQ(Field32(header, 10), 54);
  EXPECT_EQ(Field32(header, 14), 40);
  EXPECT_EQ(Field32(header, 18), 3840);
  EXPECT_EQ(Field32(header, 22), -2160);
  EXPECT_EQ(header[26] | header[27] << 8, 1);
  EXPECT_EQ(header[28] | header[29] << 8, 32);
  EXPECT_EQ(Field32(header, 30), 0);  // no compression
  EXPECT_EQ(Field32(header, 34), 3840 * 2160 * 4);
  EXPECT_EQ(Field32(header, 46), 0);  // no palette

  // Sizes the format cannot hold leave the buffer untouched.
  std::vector<uint8_t> untouched(kBmpHeaderSize, 0xAA);
  EXPECT_FALSE(WriteBmpFileHeader(untouched.data(), 65535, 65535));
  EXPECT_FALSE(WriteBmpFileHeader(untouched.data(), 0, 10));
  EXPECT_EQ(untouched, std::vector<uint8_t>(kBmpHeaderSize, 0xAA));
}

}  // namespace
