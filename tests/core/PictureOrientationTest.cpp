#include "core/composition/PictureOrientation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/composition/Resampler.h"

namespace {

// A stored picture whose pixel (x, y) carries the letter 'a' + y * width + x in blue.
struct TLetterPicture {
  int Width, Height;
  std::vector<uint8_t> Bytes;
  TLetterPicture(int width, int height) : Width(width), Height(height), Bytes(width * height * 4, 255) {
    for (int i = 0; i < width * height; ++i) Bytes[i * 4] = static_cast<uint8_t>('a' + i);
  }
  TPixelSpan Span() { return {Bytes.data(), Width, Height, Width * 4}; }
};

// The turned picture read through the walk, row by row, rows joined by '/'.
std::string Shown(const TPixelWalk& walk) {
  std::string text;
  for (int y = 0; y < walk.Height; ++y) {
    if (y > 0) text += '/';
    for (int x = 0; x < walk.Width; ++x) text += static_cast<char>(*walk.At(x, y));
  }
  return text;
}

TEST(PictureOrientationTest, EveryTagTurnsAndMirrorsAsItSays) {
  // Stored:  abc
  //          def
  TLetterPicture picture(3, 2);
  const char* const expected[] = {
      "abc/def",      // 0: no tag
      "abc/def",      // 1: upright
      "cba/fed",      // 2: mirrored left to right
      "fed/cba",      // 3: half round
      "def/abc",      // 4: mirrored top to bottom
      "ad/be/cf",     // 5: along the main diagonal
      "da/eb/fc",     // 6: a quarter clockwise
      "fc/eb/da",     // 7: along the other diagonal
      "cf/be/ad",     // 8: a quarter anticlockwise
  };
  for (int tag = 0; tag <= 8; ++tag) {
    const TPixelWalk walk = OrientedWalk(picture.Span(), tag);
    EXPECT_EQ(Shown(walk), expected[tag]) << "tag " << tag;
    int width = 0, height = 0;
    OrientedSize(3, 2, tag, width, height);
    EXPECT_EQ(width, walk.Width);
    EXPECT_EQ(height, walk.Height);
    EXPECT_EQ(OrientationSwapsAxes(tag), tag >= 5) << tag;
    // The pixel mapping agrees with the walk everywhere.
    for (int y = 0; y < walk.Height; ++y)
      for (int x = 0; x < walk.Width; ++x) {
        int storedX = -1, storedY = -1;
        StoredPixelOf(x, y, 3, 2, tag, storedX, storedY);
        ASSERT_EQ(walk.At(x, y), picture.Bytes.data() + (storedY * 3 + storedX) * 4) << tag;
      }
  }
  for (int tag : {-1, 9, 255}) EXPECT_EQ(Shown(OrientedWalk(picture.Span(), tag)), "abc/def") << tag;
  EXPECT_EQ(OrientedWalk(TPixelSpan{}, 6).Width, 0);
}

TEST(PictureOrientationTest, TheCropIsTakenFromTheTurnedPicture) {
  // Noise, so that any misplaced pixel changes the result.
  const int width = 40, height = 25;
  std::vector<uint8_t> stored(width * height * 4);
  uint32_t seed = 3;
  for (size_t i = 0; i < stored.size(); ++i) {
    seed = seed * 1664525u + 1013904223u;
    stored[i] = i % 4 == 3 ? 255 : static_cast<uint8_t>(seed >> 24);
  }
  const TPixelSpan span{stored.data(), width, height, width * 4};
  for (int tag = 1; tag <= 8; ++tag) {
    // The picture turned for real, pixel by pixel.
    int turnedWidth = 0, turnedHeight = 0;
    OrientedSize(width, height, tag, turnedWidth, turnedHeight);
    std::vector<uint8_t> turned(turnedWidth * turnedHeight * 4);
    for (int y = 0; y < turnedHeight; ++y)
      for (int x = 0; x < turnedWidth; ++x) {
        int sx = 0, sy = 0;
        StoredPixelOf(x, y, width, height, tag, sx, sy);
        for (int c = 0; c < 4; ++c) turned[(y * turnedWidth + x) * 4 + c] = stored[(sy * width + sx) * 4 + c];
      }
    const TPixelSpan turnedSpan{turned.data(), turnedWidth, turnedHeight, turnedWidth * 4};
    // A crop of the turned picture, resized, read in place and from the real turn.
    const TSourceArea crop{3, 5, turnedWidth - 9.0, turnedHeight - 7.0};
    std::vector<uint8_t> inPlace(31 * 17 * 4), fromTurned(31 * 17 * 4);
    TResampleOptions options;
    options.Workers = 2;
    ASSERT_TRUE(ResamplePicture(OrientedWalk(span, tag), crop, {inPlace.data(), 31, 17, 31 * 4},
                                {0, 0, 31, 17}, options));
    ASSERT_TRUE(ResamplePicture(WalkOf(turnedSpan), crop, {fromTurned.data(), 31, 17, 31 * 4},
                                {0, 0, 31, 17}, options));
    EXPECT_EQ(inPlace, fromTurned) << "tag " << tag;
  }
}

}  // namespace
