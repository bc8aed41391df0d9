// Decoding, fitting, tiling, brightness and gamma through GDI+.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "core/trace/FunStatus.h"
#include "platform/GdiPlusPicture.h"
#include "platform/WinText.h"
#include "tests/platform/CompositionTestPictures.h"

using namespace Gdiplus;

namespace {

class CompositionPictureTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { session_ = new TGdiPlusSession(); }
  static void TearDownTestSuite() { delete session_; }
  // The program runs with COM, so the loader reaches the imaging component.
  void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  void TearDown() override { CoUninitialize(); }
  static TGdiPlusSession* session_;
};
TGdiPlusSession* CompositionPictureTest::session_ = nullptr;

TResizeRules StretchAlways() {
  TResizeRules rules;
  rules.MinStretchSize = -1;
  rules.MaxStretchSkew = -1;
  rules.Stretch = true;
  rules.FitAndCrop = false;
  rules.Tile = false;
  return rules;
}

std::unique_ptr<TScreenBitmap> Load(const std::string& path, const TResizeRules& rules, int width,
                                    int height, const TPictureEffects& effects = {},
                                    double* factor = nullptr) {
  std::unique_ptr<TScreenBitmap> result;
  double skew = 0;
  LoadTilePictureToBitmap(path, result, rules, width, height, effects, &skew, factor);
  return result;
}

bool Near(uint32_t actual, uint32_t expected, int tolerance) {
  return std::abs(RedOf(actual) - RedOf(expected)) <= tolerance &&
         std::abs(GreenOf(actual) - GreenOf(expected)) <= tolerance &&
         std::abs(BlueOf(actual) - BlueOf(expected)) <= tolerance;
}

// The first extension of each decoder GDI+ offers, e.g. "BMP" for "*.BMP;*.DIB;*.RLE".
std::vector<std::string> DecoderExtensions() {
  UINT count = 0;
  UINT bytes = 0;
  DllExports::GdipGetImageDecodersSize(&count, &bytes);
  std::vector<BYTE> buffer(bytes);
  auto* codecs = reinterpret_cast<ImageCodecInfo*>(buffer.data());
  DllExports::GdipGetImageDecoders(count, bytes, codecs);
  std::vector<std::string> extensions;
  for (UINT i = 0; i < count; ++i) {
    std::string pattern = WideToAnsi(codecs[i].FilenameExtension);
    pattern = pattern.substr(0, pattern.find(';'));
    extensions.push_back(pattern.substr(pattern.find('.') + 1));
  }
  return extensions;
}

TEST_F(CompositionPictureTest, DecodesEveryFormatTheDecodersAnnounce) {
  // Pure colours survive every format, the palette ones included.
  const uint32_t colour = 0xFF0000;
  auto uniform = [&](int, int) { return colour; };
  const std::map<std::string, std::function<bool(const std::string&)>> writers = {
      {"BMP", [&](const std::string& p) { return WriteEncodedPicture(p, L"image/bmp", 40, 30, uniform); }},
      {"JPG", [&](const std::string& p) { return WriteEncodedPicture(p, L"image/jpeg", 40, 30, uniform); }},
      {"GIF", [&](const std::string& p) { return WriteUniformGif(p, 40, 30, colour); }},
      {"TIF", [&](const std::string& p) { return WriteEncodedPicture(p, L"image/tiff", 40, 30, uniform); }},
      {"TIFF", [&](const std::string& p) { return WriteEncodedPicture(p, L"image/tiff", 40, 30, uniform); }},
      {"PNG", [&](const std::string& p) { return WriteEncodedPicture(p, L"image/png", 40, 30, uniform); }},
      {"EMF", [&](const std::string& p) { return WriteEnhancedMetafile(p, 40, 30, colour); }},
      {"WMF", [&](const std::string& p) { return WritePlaceableMetafile(p, 40, 30, colour); }},
      {"ICO", [&](const std::string& p) { return WriteIcon(p, colour); }},
  };
  const std::vector<std::string> extensions = DecoderExtensions();
  ASSERT_GE(extensions.size(), 5u);
  for (const std::string& extension : extensions) {
    SCOPED_TRACE(extension);
    auto writer = writers.find(extension);
    ASSERT_NE(writer, writers.end()) << "no sample for a decoder the program announces";
    const std::string path = CompositionTempPath("muralotrope_decode." + extension);
    ASSERT_TRUE(writer->second(path));
    std::unique_ptr<TScreenBitmap> fitted = Load(path, StretchAlways(), 64, 48);
    ASSERT_NE(fitted, nullptr) << FunStatContext.Description;
    EXPECT_FALSE(FunStatContext.Failed());
    EXPECT_EQ(fitted->Width(), 64);
    EXPECT_EQ(fitted->Height(), 48);
    EXPECT_TRUE(Near(fitted->PixelAt(32, 24), colour, 12)) << std::hex << fitted->PixelAt(32, 24);
    DeleteFileA(path.c_str());
  }
}

TEST_F(CompositionPictureTest, FilesThatDoNotDecodeFailAndLeaveNoPicture) {
  const std::string jpeg = CompositionTempPath("muralotrope_whole.jpg");
  ASSERT_TRUE(WriteEncodedPicture(jpeg, L"image/jpeg", 64, 64, [](int x, int y) { return x * 4 << 8 | y * 4; }));
  const std::string truncated = CompositionTempPath("muralotrope_truncated.jpg");
  WriteWholeFile(truncated, ReadWholeFile(jpeg).substr(0, 100));  // cut inside the headers
  const std::string text = CompositionTempPath("muralotrope_text.jpg");
  WriteWholeFile(text, "This is not a picture.\r\n");
  const std::string empty = CompositionTempPath("muralotrope_empty.png");
  WriteWholeFile(empty, "");
  for (const std::string& path : {truncated, text, empty, CompositionTempPath("muralotrope_missing.png")}) {
    SCOPED_TRACE(path);
    std::unique_ptr<TScreenBitmap> result = TScreenBitmap::Create(8, 8);
    double skew = 0, factor = 5;
    LoadTilePictureToBitmap(path, result, StretchAlways(), 64, 48, {}, &skew, &factor);
    EXPECT_EQ(result, nullptr);
    EXPECT_EQ(FunStatContext.Status, Error);
    EXPECT_EQ(FunStatContext.Description, "Failed to load picture.");
    EXPECT_EQ(FunStatContext.Parameter1, path);
    EXPECT_EQ(skew, 1.0);
    EXPECT_EQ(factor, 0.0);
  }
  // The whole file still loads: the failures above are the files', not the decoder's.
  EXPECT_NE(Load(jpeg, StretchAlways(), 64, 48), nullptr);
  for (const std::string& path : {jpeg, truncated, text, empty}) DeleteFileA(path.c_str());
}

TEST_F(CompositionPictureTest, TilesCopyTheDrawnTileAcrossTheWholeBitmap) {
  const std::string path = CompositionTempPath("muralotrope_tile.bmp");
  ASSERT_TRUE(WriteEncodedPicture(path, L"image/bmp", 30, 20,
                                  [](int x, int y) { return static_cast<uint32_t>(x * 8 << 16 | y * 12 << 8 | 0x40); }));
  TResizeRules rules;
  rules.MinStretchSize = 1000;  // too small to stretch or fit: kept at 30 x 20
  rules.Tile = true;
  rules.FillingColor = 0x00FF00;  // must not show anywhere
  std::unique_ptr<TScreenBitmap> fitted = Load(path, rules, 100, 50);
  ASSERT_NE(fitted, nullptr);
  EXPECT_TRUE(Near(fitted->PixelAt(15, 10), 15 * 8 << 16 | 10 * 12 << 8 | 0x40, 16));
  int mismatches = 0;
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 100; ++x)
      if (fitted->PixelAt(x, y) != fitted->PixelAt(x % 30, y % 20)) ++mismatches;
  EXPECT_EQ(mismatches, 0);

  // Without tiling the same picture is centred on the filling colour.
  rules.Tile = false;
  fitted = Load(path, rules, 100, 50);
  ASSERT_NE(fitted, nullptr);
  EXPECT_EQ(fitted->PixelAt(0, 0), 0x00FF00u);
  EXPECT_EQ(fitted->PixelAt(99, 49), 0x00FF00u);
  EXPECT_EQ(fitted->PixelAt(34, 16), 0x00FF00u);  // left of the picture at (35, 15)
  EXPECT_TRUE(Near(fitted->PixelAt(35 + 15, 15 + 10), 15 * 8 << 16 | 10 * 12 << 8 | 0x40, 16) ||
              Near(fitted->PixelAt(35 + 15, 15 + 10), 14 * 8 << 16 | 9 * 12 << 8 | 0x40, 16));
  DeleteFileA(path.c_str());
}

TEST_F(CompositionPictureTest, GammaHundredKeepsPixelsAndFiftyLightensThem) {
  const std::string path = CompositionTempPath("muralotrope_grey.png");
  ASSERT_TRUE(WriteEncodedPicture(path, L"image/png", 40, 40, [](int, int) { return 0x808080u; }));
  TPictureEffects effects;
  effects.GammaPercent = 100;
  std::unique_ptr<TScreenBitmap> plain = Load(path, StretchAlways(), 40, 40, effects);
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->PixelAt(20, 20), 0x808080u);
  effects.GammaPercent = 50;
  std::unique_ptr<TScreenBitmap> light = Load(path, StretchAlways(), 40, 40, effects);
  ASSERT_NE(light, nullptr);
  // 255 x (128 / 255) ^ 0.5 = 180.7
  EXPECT_TRUE(Near(light->PixelAt(20, 20), 0xB5B5B5, 3)) << std::hex << light->PixelAt(20, 20);
  effects.GammaPercent = 200;
  std::unique_ptr<TScreenBitmap> dark = Load(path, StretchAlways(), 40, 40, effects);
  ASSERT_NE(dark, nullptr);
  EXPECT_LT(RedOf(dark->PixelAt(20, 20)), 0x70);
  DeleteFileA(path.c_str());
}

TEST_F(CompositionPictureTest, NormalisationChangesTheDecodedPixelsBeforeTheyAreDrawn) {
  const std::string path = CompositionTempPath("muralotrope_norm.png");
  ASSERT_TRUE(WriteEncodedPicture(path, L"image/png", 40, 40, [](int, int) { return 0x808080u; }));
  TPictureEffects effects;
  effects.Normalize = true;
  effects.Level = 0.5;
  effects.Method = "balanced SCALING";
  double factor = 0;
  std::unique_ptr<TScreenBitmap> fitted = Load(path, StretchAlways(), 40, 40, effects, &factor);
  ASSERT_NE(fitted, nullptr);
  EXPECT_NEAR(factor, 0.5 / (128.0 / 255.0), 1e-9);
  EXPECT_EQ(fitted->PixelAt(20, 20), 0x7F7F7Fu);  // trunc(128 x 0.99609)
  DeleteFileA(path.c_str());
}

TEST_F(CompositionPictureTest, FitAndCropFillsTheScreenFromTheCentreOfThePicture) {
  // Left third red, middle third white, right third blue: a 3:1 picture on a 1:1 screen.
  const std::string path = CompositionTempPath("muralotrope_crop.bmp");
  ASSERT_TRUE(WriteEncodedPicture(path, L"image/bmp", 90, 30, [](int x, int) {
    return x < 30 ? 0xFF0000u : x < 60 ? 0xFFFFFFu : 0x0000FFu;
  }));
  TResizeRules rules = StretchAlways();
  rules.FitAndCrop = true;
  rules.FillingColor = 0x00FF00;
  std::unique_ptr<TScreenBitmap> fitted = Load(path, rules, 60, 60);
  ASSERT_NE(fitted, nullptr);
  EXPECT_TRUE(Near(fitted->PixelAt(30, 30), 0xFFFFFF, 8));
  EXPECT_TRUE(Near(fitted->PixelAt(5, 5), 0xFFFFFF, 40));
  EXPECT_TRUE(Near(fitted->PixelAt(55, 55), 0xFFFFFF, 40));
  DeleteFileA(path.c_str());
}

// Six 16 x 16 blocks, stored as
//   a b c
//   d e f
const uint32_t BlockColours[6] = {0xE02020, 0x20E020, 0x2020E0, 0xE0E020, 0xE020E0, 0x20E0E0};
uint32_t BlockPixel(int x, int y) { return BlockColours[(y / 16) * 3 + x / 16]; }

TEST_F(CompositionPictureTest, PhotosAreShownUprightAndSizedByTheirTurnedSize) {
  const std::string plain = CompositionTempPath("muralotrope_blocks.jpg");
  ASSERT_TRUE(WriteEncodedPicture(plain, L"image/jpeg", 48, 32, BlockPixel));
  const std::string encoded = ReadWholeFile(plain);
  // How each tag shows the stored blocks, written out by hand.
  const char* const shown[9] = {"", "abc/def", "cba/fed", "fed/cba", "def/abc",
                                "ad/be/cf", "da/eb/fc", "fc/eb/da", "cf/be/ad"};
  const std::string tagged = CompositionTempPath("muralotrope_tagged.jpg");
  for (int tag = 1; tag <= 8; ++tag) {
    SCOPED_TRACE(tag);
    WriteWholeFile(tagged, WithOrientationTag(encoded, tag));
    const int width = tag >= 5 ? 32 : 48, height = tag >= 5 ? 48 : 32;
    // Shown 1:1 on a screen of the turned size: every block lands where the tag puts it.
    std::unique_ptr<TScreenBitmap> fitted = Load(tagged, StretchAlways(), width, height);
    ASSERT_NE(fitted, nullptr) << FunStatContext.Description;
    const std::string layout = shown[tag];
    for (int y = 8; y < height; y += 16)
      for (int x = 8; x < width; x += 16) {
        const char letter = layout[(y / 16) * (width / 16 + 1) + x / 16];
        EXPECT_TRUE(Near(fitted->PixelAt(x, y), BlockColours[letter - 'a'], 24))
            << x << "," << y << ": " << std::hex << fitted->PixelAt(x, y);
      }
    // The skew is that of the turned picture: a portrait photo stretched onto a
    // landscape screen is skewed by (48 / 32) / (32 / 48).
    double skew = 0;
    std::unique_ptr<TScreenBitmap> stretched;
    LoadTilePictureToBitmap(tagged, stretched, StretchAlways(), 48, 32, {}, &skew, nullptr);
    ASSERT_NE(stretched, nullptr);
    EXPECT_DOUBLE_EQ(skew, tag >= 5 ? 2.25 : 1.0);
  }
  DeleteFileA(plain.c_str());
  DeleteFileA(tagged.c_str());
}

TEST_F(CompositionPictureTest, TypesOnlyTheImagingComponentReadsAreFitted) {
  // An uncompressed TGA: GDI+ has no decoder for it.
  std::vector<uint32_t> pixels(8 * 4, 0xFF3070B0u);
  const std::string path = CompositionTempPath("muralotrope_picture.tga");
  WriteWholeFile(path, TgaFile(8, 4, 24, pixels));
  std::unique_ptr<TScreenBitmap> fitted = Load(path, StretchAlways(), 16, 8);
  ASSERT_NE(fitted, nullptr) << FunStatContext.Description;
  EXPECT_EQ(fitted->PixelAt(0, 0), 0x3070B0u);
  EXPECT_EQ(fitted->PixelAt(15, 7), 0x3070B0u);
  DeleteFileA(path.c_str());
}

}  // namespace
