#include "platform/WicPicture.h"

#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/trace/FunStatus.h"
#include "core/catalogue/PictureExtensions.h"
#include "core/composition/PictureOrientation.h"
#include "platform/GdiPlusPixels.h"
#include "platform/PictureDecoders.h"
#include "platform/WicSourceTransform.h"
#include "tests/platform/CompositionTestPictures.h"

namespace {

class WicPictureTest : public ::testing::Test {
 protected:
  void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  void TearDown() override {
    for (const std::string& file : files_) DeleteFileA(file.c_str());
    FunStatContext.Reset(Perfect);
    CoUninitialize();
  }
  std::string TempFile(const std::string& name) {
    files_.push_back(CompositionTempPath("mt_wic_" + std::to_string(GetCurrentProcessId()) + "_" + name));
    return files_.back();
  }
  std::vector<std::string> files_;
  TGdiPlusSession gdiplus_;
};

// Six 16 x 16 blocks, stored as
//   a b c
//   d e f
const uint32_t BlockColours[6] = {0xE02020, 0x20E020, 0x2020E0, 0xE0E020, 0xE020E0, 0x20E0E0};
uint32_t BlockPixel(int x, int y) { return BlockColours[(y / 16) * 3 + x / 16]; }

std::string Bytes(std::initializer_list<int> values) {
  std::string text;
  for (int value : values) text += static_cast<char>(value);
  return text;
}

uint32_t PixelOf(const TPixelBuffer& pixels, int x, int y) {
  const uint8_t* p = pixels.Pixels() + y * pixels.Stride() + x * 4;
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

bool RunningUnderWine() {
  return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

int CompareNoCase(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()); }

TEST_F(WicPictureTest, TheDecodersFileTypesJoinThePictureTypes) {
  std::vector<std::string> patterns;
  ASSERT_TRUE(GetWicDecoderPatterns(patterns));
  ASSERT_FALSE(patterns.empty());
  for (const std::string& pattern : patterns) EXPECT_EQ(pattern.compare(0, 2, "*."), 0) << pattern;
  const std::vector<std::string> extensions = GetPictureExtensions(patterns, CompareNoCase);
  for (const char* type : {"x.jpg", "x.JPEG", "x.png", "x.bmp", "x.gif", "x.tif"})
    EXPECT_TRUE(IsPictureFile(type, extensions, CompareNoCase)) << type;
  // Wine's component mixes "," and ";" in its lists and brings a TGA decoder.
  if (RunningUnderWine()) {
    EXPECT_TRUE(IsPictureFile("x.tga", extensions, CompareNoCase));
    EXPECT_TRUE(IsPictureFile("x.jfif", extensions, CompareNoCase));
    EXPECT_TRUE(IsPictureFile("x.dib", extensions, CompareNoCase));
  }
  // The program's picture types are both libraries' together: GDI+'s metafiles and
  // the imaging component's types alike.
  std::vector<std::string> pictureTypes;
  GetPictureExtensions(pictureTypes);
  EXPECT_TRUE(IsPictureFile("x.emf", pictureTypes, CompareNoCase));
  for (const std::string& extension : extensions)
    EXPECT_TRUE(IsPictureFile("x" + extension, pictureTypes, CompareNoCase)) << extension;
  EXPECT_NE(GetPictureExtensionsAsFilter().find(RunningUnderWine() ? "*.tga" : "*.jpg"), std::string::npos);
}

TEST_F(WicPictureTest, PngBmpAndTgaDecodeToTheirExactPixels) {
  const std::string png = TempFile("noise.png");
  auto noise = [](int x, int y) { return static_cast<uint32_t>((x * 7919 + y * 104729) * 2654435761u) >> 8; };
  // Taller than the bands a full-size decode is converted in, the last one partial.
  const int height = 601;
  ASSERT_TRUE(WriteEncodedPicture(png, L"image/png", 37, height, noise));
  TWicPictureFile file;
  ASSERT_TRUE(file.Open(png));
  EXPECT_EQ(file.Width(), 37);
  EXPECT_EQ(file.Height(), height);
  EXPECT_EQ(file.Orientation(), 1);
  TPixelBuffer pixels;
  ASSERT_TRUE(file.Decode(pixels));
  ASSERT_EQ(pixels.Width(), 37);
  ASSERT_EQ(pixels.Height(), height);
  EXPECT_TRUE(file.IsOpaque());
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < 37; ++x) ASSERT_EQ(PixelOf(pixels, x, y), 0xFF000000u | noise(x, y)) << x << "," << y;

  // An indexed picture goes through a converter, band by band.
  std::vector<uint32_t> palette(256);
  for (int i = 0; i < 256; ++i) palette[i] = static_cast<uint32_t>(i * 0x9E3779B1u) >> 8;
  auto index = [](int x, int y) { return static_cast<uint8_t>(x * 7 + y * 13); };
  const std::string indexed = TempFile("indexed.bmp");
  WriteWholeFile(indexed, IndexedBmpFile(37, height, palette, index));
  ASSERT_TRUE(file.Open(indexed));
  ASSERT_TRUE(file.Decode(pixels));
  ASSERT_EQ(pixels.Height(), height);
  EXPECT_TRUE(file.IsOpaque());
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < 37; ++x)
      ASSERT_EQ(PixelOf(pixels, x, y), 0xFF000000u | palette[index(x, y)]) << x << "," << y;

  // A 24-bit TGA, and a 32-bit one whose alpha comes through unpremultiplied.
  const std::vector<uint32_t> tgaPixels = {0xFF102030, 0xFF405060, 0xFF708090, 0xFFA0B0C0, 0xFFD0E0F0, 0xFF010203};
  const std::string tga = TempFile("picture.tga");
  WriteWholeFile(tga, TgaFile(3, 2, 24, tgaPixels));
  ASSERT_TRUE(file.Open(tga));
  ASSERT_TRUE(file.Decode(pixels));
  ASSERT_EQ(pixels.Width(), 3);
  ASSERT_EQ(pixels.Height(), 2);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(PixelOf(pixels, i % 3, i / 3), tgaPixels[i]) << i;
  EXPECT_TRUE(file.IsOpaque());

  std::vector<uint32_t> translucent = tgaPixels;
  translucent[4] = 0x80D0E0F0;
  const std::string alpha = TempFile("alpha.tga");
  WriteWholeFile(alpha, TgaFile(3, 2, 32, translucent));
  ASSERT_TRUE(file.Open(alpha));
  ASSERT_TRUE(file.Decode(pixels));
  EXPECT_EQ(PixelOf(pixels, 1, 1), 0x80D0E0F0u);
  EXPECT_EQ(PixelOf(pixels, 0, 0), 0xFF102030u);
  EXPECT_FALSE(file.IsOpaque());
}

TEST_F(WicPictureTest, JpegPhotosTurnAsTheirOrientationTagSays) {
  const std::string plain = TempFile("blocks.jpg");
  ASSERT_TRUE(WriteEncodedPicture(plain, L"image/jpeg", 48, 32, BlockPixel));
  const std::string encoded = ReadWholeFile(plain);
  ASSERT_GT(encoded.size(), 2u);
  // How each tag shows the stored blocks, written out by hand.
  const char* const shown[9] = {"", "abc/def", "cba/fed", "fed/cba", "def/abc",
                                "ad/be/cf", "da/eb/fc", "fc/eb/da", "cf/be/ad"};
  for (int tag = 1; tag <= 8; ++tag) {
    const std::string tagged = TempFile("tag" + std::to_string(tag) + ".jpg");
    WriteWholeFile(tagged, WithOrientationTag(encoded, tag));
    TWicPictureFile file;
    ASSERT_TRUE(file.Open(tagged)) << tag;
    EXPECT_EQ(file.Orientation(), tag);
    EXPECT_EQ(file.Width(), 48);
    EXPECT_EQ(file.Height(), 32);
    TPixelBuffer pixels;
    ASSERT_TRUE(file.Decode(pixels)) << tag;
    const TPixelWalk walk = OrientedWalk(pixels.Span(), tag);
    ASSERT_EQ(walk.Width, tag >= 5 ? 32 : 48);
    const std::string layout = shown[tag];
    const int blocksPerRow = walk.Width / 16;
    // Every pixel away from the block edges (where the JPEG rings) has its block's colour.
    for (int y = 0; y < walk.Height; ++y)
      for (int x = 0; x < walk.Width; ++x) {
        if (x % 16 < 3 || x % 16 > 12 || y % 16 < 3 || y % 16 > 12) continue;
        const char letter = layout[(y / 16) * (blocksPerRow + 1) + x / 16];
        const uint32_t expected = BlockColours[letter - 'a'];
        const uint8_t* p = walk.At(x, y);
        ASSERT_NEAR(p[2], RedOf(expected), 24) << "tag " << tag << " at " << x << "," << y;
        ASSERT_NEAR(p[1], GreenOf(expected), 24) << "tag " << tag << " at " << x << "," << y;
        ASSERT_NEAR(p[0], BlueOf(expected), 24) << "tag " << tag << " at " << x << "," << y;
      }
  }
}

TEST_F(WicPictureTest, AReducedRequestNeverGivesLessThanAsked) {
  const std::string jpeg = TempFile("big.jpg");
  ASSERT_TRUE(WriteEncodedPicture(jpeg, L"image/jpeg", 1600, 1200, [](int, int) { return 0x3060C0u; }));
  TWicPictureFile file;
  ASSERT_TRUE(file.Open(jpeg));
  TPixelBuffer pixels;
  ASSERT_TRUE(file.Decode(pixels, 400, 300));
  EXPECT_GE(pixels.Width(), 400);
  EXPECT_GE(pixels.Height(), 300);
  if (!file.CanDecodeReduced()) {
    // Wine's JPEG decoder cannot scale: the whole picture comes.
    EXPECT_EQ(pixels.Width(), 1600);
    EXPECT_EQ(pixels.Height(), 1200);
  }
  EXPECT_NEAR(PixelOf(pixels, pixels.Width() / 2, pixels.Height() / 2) & 0xFF, 0xC0, 8);
}

// A decoder that scales by halves and gives its pixels in a chosen format.
class TFakeScalingDecoder : public wic::IWICBitmapSourceTransform {
 public:
  int FullWidth = 64, FullHeight = 48;
  UINT Halvings = 1;
  GUID Format = GUID_WICPixelFormat24bppBGR;
  HRESULT CopyResult = S_OK;
  UINT CopiedStride = 0;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetClosestSize(UINT* width, UINT* height) override {
    *width = (FullWidth + (1u << Halvings) - 1) >> Halvings;
    *height = (FullHeight + (1u << Halvings) - 1) >> Halvings;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetClosestPixelFormat(WICPixelFormatGUID* format) override {
    *format = Format;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DoesSupportTransform(WICBitmapTransformOptions, BOOL* supported) override {
    *supported = FALSE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE CopyPixels(const WICRect*, UINT width, UINT height, WICPixelFormatGUID*,
                                       WICBitmapTransformOptions, UINT stride, UINT size, BYTE* buffer) override {
    CopiedStride = stride;
    if (FAILED(CopyResult)) return CopyResult;
    const UINT bytes = stride / width;
    if (stride * height > size) return E_INVALIDARG;
    for (UINT y = 0; y < height; ++y)
      for (UINT x = 0; x < width; ++x)
        for (UINT c = 0; c < bytes; ++c) buffer[y * stride + x * bytes + c] = static_cast<BYTE>(x * 3 + y * 5 + c * 70);
    return S_OK;
  }
};

TEST_F(WicPictureTest, ScalingWhileDecodingGivesFourByteBgraOrNothing) {
  TFakeScalingDecoder decoder;
  TPixelBuffer pixels;
  // 24-bit halves spread to four bytes with opaque alpha.
  ASSERT_TRUE(DecodeThroughSourceTransform(&decoder, 64, 48, 30, 20, pixels));
  EXPECT_EQ(decoder.CopiedStride, 32u * 3);
  ASSERT_EQ(pixels.Width(), 32);
  ASSERT_EQ(pixels.Height(), 24);
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 32; ++x)
      ASSERT_EQ(PixelOf(pixels, x, y), static_cast<uint32_t>(0xFF000000u | ((x * 3 + y * 5 + 140) & 0xFF) << 16 |
                                                                 ((x * 3 + y * 5 + 70) & 0xFF) << 8 |
                                                                 ((x * 3 + y * 5) & 0xFF)))
          << x << "," << y;
  // 32-bit without alpha gets opaque alpha.
  decoder.Format = GUID_WICPixelFormat32bppBGR;
  ASSERT_TRUE(DecodeThroughSourceTransform(&decoder, 64, 48, 30, 20, pixels));
  EXPECT_EQ(decoder.CopiedStride, 32u * 4);
  EXPECT_EQ(PixelOf(pixels, 5, 7) >> 24, 255u);

  // No help: a size below the request, the full size, a format not read here, a failed copy.
  decoder.Format = GUID_WICPixelFormat24bppBGR;
  decoder.Halvings = 2;  // 16 x 12
  EXPECT_FALSE(DecodeThroughSourceTransform(&decoder, 64, 48, 30, 20, pixels));
  EXPECT_EQ(pixels.Pixels(), nullptr);
  decoder.Halvings = 0;
  EXPECT_FALSE(DecodeThroughSourceTransform(&decoder, 64, 48, 30, 20, pixels));
  decoder.Halvings = 1;
  decoder.Format = GUID_WICPixelFormat8bppGray;
  EXPECT_FALSE(DecodeThroughSourceTransform(&decoder, 64, 48, 30, 20, pixels));
  decoder.Format = GUID_WICPixelFormat32bppBGRA;
  decoder.CopyResult = E_FAIL;
  EXPECT_FALSE(DecodeThroughSourceTransform(&decoder, 64, 48, 30, 20, pixels));
  EXPECT_EQ(pixels.Width(), 0);
  EXPECT_FALSE(DecodeThroughSourceTransform(nullptr, 64, 48, 30, 20, pixels));
}

TEST_F(WicPictureTest, BadFilesFailAsFailedToLoadPicture) {
  const std::string jpeg = TempFile("whole.jpg");
  ASSERT_TRUE(WriteEncodedPicture(jpeg, L"image/jpeg", 64, 64, BlockPixel));
  const std::string png = TempFile("whole.png");
  ASSERT_TRUE(WriteEncodedPicture(png, L"image/png", 64, 64, BlockPixel));
  // A BMP header claiming 30000 x 30000 24-bit pixels, with none after it.
  std::string huge = "BM" + std::string(8, '\0') + Bytes({54, 0, 0, 0, 40, 0, 0, 0, 0x30, 0x75, 0, 0, 0x30, 0x75, 0, 0, 1, 0, 24, 0});
  huge += std::string(54 - huge.size(), '\0');
  // The same for 4000 x 3000: a size we allocate, with the pixels missing.
  std::string headerOnly = huge;
  headerOnly[18] = static_cast<char>(4000 & 0xFF), headerOnly[19] = static_cast<char>(4000 >> 8);
  headerOnly[22] = static_cast<char>(3000 & 0xFF), headerOnly[23] = static_cast<char>(3000 >> 8);
  struct {
    std::string Name;
    std::string Contents;
  } const cases[] = {
      {"empty.jpg", ""},
      {"text.jpg", "This is not a picture, whatever its name says.\r\n"},
      {"half.jpg", ReadWholeFile(jpeg).substr(0, ReadWholeFile(jpeg).size() / 2)},
      {"half.png", ReadWholeFile(png).substr(0, ReadWholeFile(png).size() / 2)},
      {"huge.bmp", huge},
      {"header.bmp", headerOnly},
  };
  for (const auto& c : cases) {
    const std::string path = TempFile(c.Name);
    WriteWholeFile(path, c.Contents);
    FunStatContext.Reset(Perfect);
    TWicPictureFile file;
    TPixelBuffer pixels;
    const bool decoded = file.Open(path) && file.Decode(pixels);
    EXPECT_FALSE(decoded) << c.Name;
    EXPECT_EQ(FunStatContext.Description, "Failed to load picture.") << c.Name;
    EXPECT_EQ(FunStatContext.Parameter1, path) << c.Name;
    EXPECT_EQ(pixels.Pixels(), nullptr) << c.Name;
    // A size we would not allocate is refused before any decoding.
    if (c.Name == "huge.bmp") {
      EXPECT_EQ(FunStatContext.Function, "TWicPictureFile::Open");
    }
  }
  // A missing file, and decoding before anything is open.
  TWicPictureFile file;
  EXPECT_FALSE(file.Open(TempFile("missing.png")));
  TPixelBuffer pixels;
  EXPECT_FALSE(TWicPictureFile().Decode(pixels));
  EXPECT_EQ(FunStatContext.Description, "Failed to load picture.");
}

TEST_F(WicPictureTest, GdiPlusDecodesWhatTheImagingComponentCannot) {
  // A metafile: the imaging component has no decoder for it, GDI+ plays it.
  const std::string metafile = TempFile("drawing.emf");
  ASSERT_TRUE(WriteEnhancedMetafile(metafile, 40, 30, 0x2080C0));
  TWicPictureFile file;
  EXPECT_FALSE(file.Open(metafile));
  FunStatContext.Reset(Perfect);
  TPixelBuffer pixels;
  bool opaque = false;
  ASSERT_TRUE(DecodePictureWithGdiPlus(metafile, pixels, opaque));
  EXPECT_NEAR(pixels.Width(), 40, 1);
  EXPECT_NEAR(pixels.Height(), 30, 1);
  EXPECT_EQ(PixelOf(pixels, pixels.Width() / 2, pixels.Height() / 2), 0xFF2080C0u);

  // A PNG comes out the same both ways, rows in the same order.
  const std::string png = TempFile("both.png");
  ASSERT_TRUE(WriteEncodedPicture(png, L"image/png", 9, 7, [](int x, int y) { return x * 0x1F0000u + y * 0x23u; }));
  TPixelBuffer fromWic;
  ASSERT_TRUE(file.Open(png) && file.Decode(fromWic));
  ASSERT_TRUE(DecodePictureWithGdiPlus(png, pixels, opaque));
  EXPECT_TRUE(opaque);
  ASSERT_EQ(pixels.ByteSize(), fromWic.ByteSize());
  EXPECT_EQ(std::memcmp(pixels.Pixels(), fromWic.Pixels(), pixels.ByteSize()), 0);

  const std::string broken = TempFile("broken.png");
  WriteWholeFile(broken, "not a picture");
  EXPECT_FALSE(DecodePictureWithGdiPlus(broken, pixels, opaque));
  EXPECT_EQ(FunStatContext.Description, "Failed to load picture.");
  EXPECT_EQ(FunStatContext.Parameter1, broken);
  EXPECT_EQ(pixels.Pixels(), nullptr);
}

}  // namespace
