#include "tests/platform/CompositionTestPictures.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "platform/GdiPlusEncoders.h"
#include "platform/WinText.h"

using namespace Gdiplus;

std::string CompositionTempPath(const std::string& name) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + name;
}

bool WriteEncodedPicture(const std::string& path, const wchar_t* mimeType, int width, int height,
                         const std::function<uint32_t(int x, int y)>& pixel) {
  CLSID encoder;
  if (!FindImageEncoder(mimeType, encoder)) return false;
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels[static_cast<size_t>(y) * width + x] = 0xFF000000u | pixel(x, y);
  GpBitmap* bitmap = nullptr;
  if (DllExports::GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppARGB,
                                            reinterpret_cast<BYTE*>(pixels.data()), &bitmap) != Ok)
    return false;
  const bool saved =
      DllExports::GdipSaveImageToFile(bitmap, AnsiToWide(path).c_str(), &encoder, nullptr) == Ok;
  DllExports::GdipDisposeImage(bitmap);
  return saved;
}

bool WriteUniformGif(const std::string& path, int width, int height, uint32_t rgb) {
  CLSID encoder;
  if (!FindImageEncoder(L"image/gif", encoder)) return false;
  GpBitmap* bitmap = nullptr;
  if (DllExports::GdipCreateBitmapFromScan0(width, height, 0, PixelFormat8bppIndexed, nullptr, &bitmap) != Ok)
    return false;
  std::vector<BYTE> paletteBytes(sizeof(ColorPalette) + sizeof(ARGB) * 255);
  auto* palette = reinterpret_cast<ColorPalette*>(paletteBytes.data());
  palette->Flags = 0;
  palette->Count = 256;
  for (int i = 0; i < 256; ++i) palette->Entries[i] = 0xFF000000u | rgb;
  DllExports::GdipSetImagePalette(bitmap, palette);
  const bool saved =
      DllExports::GdipSaveImageToFile(bitmap, AnsiToWide(path).c_str(), &encoder, nullptr) == Ok;
  DllExports::GdipDisposeImage(bitmap);
  return saved;
}

namespace {

void FillWithColour(HDC dc, int width, int height, uint32_t rgb) {
  HBRUSH brush = CreateSolidBrush(RGB(RedOf(rgb), GreenOf(rgb), BlueOf(rgb)));
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(RedOf(rgb), GreenOf(rgb), BlueOf(rgb)));
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  Rectangle(dc, 0, 0, width, height);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(brush);
  DeleteObject(pen);
}

void Append16(std::string& bytes, uint16_t value) {
  bytes.push_back(static_cast<char>(value & 0xFF));
  bytes.push_back(static_cast<char>(value >> 8));
}

void Append32(std::string& bytes, uint32_t value) {
  Append16(bytes, static_cast<uint16_t>(value & 0xFFFF));
  Append16(bytes, static_cast<uint16_t>(value >> 16));
}

}  // namespace

bool WriteEnhancedMetafile(const std::string& path, int width, int height, uint32_t rgb) {
  HDC screen = GetDC(nullptr);
  // The frame is in 0.01 mm; the picture is drawn in device pixels.
  const int mmWidth = GetDeviceCaps(screen, HORZSIZE) * 100;
  const int mmHeight = GetDeviceCaps(screen, VERTSIZE) * 100;
  const int pixelWidth = GetDeviceCaps(screen, HORZRES);
  const int pixelHeight = GetDeviceCaps(screen, VERTRES);
  RECT frame = {0, 0, width * mmWidth / pixelWidth, height * mmHeight / pixelHeight};
  HDC dc = CreateEnhMetaFileA(screen, path.c_str(), &frame, nullptr);
  ReleaseDC(nullptr, screen);
  if (!dc) return false;
  FillWithColour(dc, width, height, rgb);
  HENHMETAFILE metafile = CloseEnhMetaFile(dc);
  if (!metafile) return false;
  DeleteEnhMetaFile(metafile);
  return true;
}

bool WritePlaceableMetafile(const std::string& path, int width, int height, uint32_t rgb) {
  HDC dc = CreateMetaFileA(nullptr);
  if (!dc) return false;
  SetWindowExtEx(dc, width, height, nullptr);
  FillWithColour(dc, width, height, rgb);
  HMETAFILE metafile = CloseMetaFile(dc);
  if (!metafile) return false;
  std::string records(GetMetaFileBitsEx(metafile, 0, nullptr), '\0');
  GetMetaFileBitsEx(metafile, static_cast<UINT>(records.size()), &records[0]);
  DeleteMetaFile(metafile);
  // The placeable header: key, handle, bounding box, units per inch, reserved, checksum.
  std::string header;
  Append32(header, 0x9AC6CDD7u);
  Append16(header, 0);
  Append16(header, 0);
  Append16(header, 0);
  Append16(header, static_cast<uint16_t>(width));
  Append16(header, static_cast<uint16_t>(height));
  Append16(header, 96);
  Append32(header, 0);
  uint16_t checksum = 0;
  for (size_t i = 0; i + 1 < header.size(); i += 2)
    checksum ^= static_cast<uint16_t>(static_cast<uint8_t>(header[i]) | (static_cast<uint8_t>(header[i + 1]) << 8));
  Append16(header, checksum);
  WriteWholeFile(path, header + records);
  return true;
}

bool WriteIcon(const std::string& path, uint32_t rgb) {
  constexpr int Side = 16;
  const uint32_t xorSize = Side * Side * 4;
  const uint32_t andSize = Side * 4;  // one bit a pixel, rows padded to 4 bytes
  std::string bytes;
  Append16(bytes, 0);
  Append16(bytes, 1);  // icon
  Append16(bytes, 1);  // one image
  bytes.push_back(Side);
  bytes.push_back(Side);
  bytes.push_back(0);
  bytes.push_back(0);
  Append16(bytes, 1);
  Append16(bytes, 32);
  Append32(bytes, 40 + xorSize + andSize);
  Append32(bytes, 22);
  Append32(bytes, 40);
  Append32(bytes, Side);
  Append32(bytes, Side * 2);  // colour and mask
  Append16(bytes, 1);
  Append16(bytes, 32);
  Append32(bytes, 0);
  Append32(bytes, xorSize + andSize);
  for (int i = 0; i < 4; ++i) Append32(bytes, 0);
  for (int i = 0; i < Side * Side; ++i) Append32(bytes, 0xFF000000u | rgb);
  bytes.append(andSize, '\0');
  WriteWholeFile(path, bytes);
  return true;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string text;
  for (int value : values) text += static_cast<char>(value);
  return text;
}

}  // namespace

std::string ExifOrientationSegment(int orientation) {
  const std::string tiff = Bytes({'M', 'M', 0, 42, 0, 0, 0, 8, 0, 1, 0x01, 0x12, 0, 3, 0, 0, 0, 1, 0,
                                  orientation, 0, 0, 0, 0, 0, 0});
  const std::string contents = "Exif" + Bytes({0, 0}) + tiff;
  const size_t length = contents.size() + 2;
  return Bytes({0xFF, 0xE1, static_cast<int>(length >> 8), static_cast<int>(length & 0xFF)}) + contents;
}

std::string WithOrientationTag(const std::string& jpeg, int orientation) {
  return jpeg.substr(0, 2) + ExifOrientationSegment(orientation) + jpeg.substr(2);
}

std::string IndexedBmpFile(int width, int height, const std::vector<uint32_t>& palette,
                           const std::function<uint8_t(int x, int y)>& index) {
  auto little = [](uint32_t value, int bytes) {
    std::string text;
    for (int i = 0; i < bytes; ++i) text += static_cast<char>(value >> (8 * i));
    return text;
  };
  const uint32_t rowBytes = (static_cast<uint32_t>(width) + 3) & ~3u;
  const uint32_t pixelOffset = 14 + 40 + 256 * 4;
  std::string file = "BM" + little(pixelOffset + rowBytes * height, 4) + little(0, 4) + little(pixelOffset, 4);
  file += little(40, 4) + little(width, 4) + little(height, 4) + little(1, 2) + little(8, 2) + little(0, 4) +
          little(rowBytes * height, 4) + little(2835, 4) + little(2835, 4) + little(256, 4) + little(0, 4);
  for (int i = 0; i < 256; ++i) file += little(i < static_cast<int>(palette.size()) ? palette[i] : 0, 4);
  for (int y = height - 1; y >= 0; --y) {  // stored bottom row first
    for (int x = 0; x < width; ++x) file += static_cast<char>(index(x, y));
    file.append(rowBytes - width, '\0');
  }
  return file;
}

std::string TgaFile(int width, int height, int bits, const std::vector<uint32_t>& bgra) {
  std::string file = Bytes({0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, width & 0xFF, width >> 8, height & 0xFF,
                            height >> 8, bits, 0x20 | (bits == 32 ? 8 : 0)});
  for (uint32_t pixel : bgra)
    for (int c = 0; c < bits / 8; ++c) file += static_cast<char>(pixel >> (8 * c));
  return file;
}
