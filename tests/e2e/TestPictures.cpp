#include "TestPictures.h"

#include <windows.h>
#include <gdiplus.h>

#include <vector>

#include "platform/GdiPlusSession.h"
#include "platform/WinText.h"

namespace {

bool EncoderFor(const wchar_t* mimeType, CLSID& clsid) {
  UINT count = 0, size = 0;
  Gdiplus::GetImageEncodersSize(&count, &size);
  if (!size) return false;
  std::vector<BYTE> buffer(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  Gdiplus::GetImageEncoders(count, size, codecs);
  for (UINT i = 0; i < count; ++i)
    if (wcscmp(codecs[i].MimeType, mimeType) == 0) {
      clsid = codecs[i].Clsid;
      return true;
    }
  return false;
}

}  // namespace

bool WriteTestPicture(const std::string& path, int width, int height, const wchar_t* mimeType, unsigned seed) {
  ProcessGdiPlusSession();
  Gdiplus::Bitmap bitmap(width, height, PixelFormat32bppARGB);
  Gdiplus::BitmapData data;
  Gdiplus::Rect all(0, 0, width, height);
  if (bitmap.LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &data) != Gdiplus::Ok) return false;
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<UINT32*>(static_cast<BYTE*>(data.Scan0) + y * data.Stride);
    for (int x = 0; x < width; ++x)
      row[x] = 0xFF000000u | (((x * 255 / width + seed * 40) & 0xFF) << 16) | (((y * 255 / height) & 0xFF) << 8) |
               ((seed * 70) & 0xFF);
  }
  bitmap.UnlockBits(&data);
  CLSID encoder;
  if (!EncoderFor(mimeType, encoder)) return false;
  return bitmap.Save(AnsiToWide(path).c_str(), &encoder, nullptr) == Gdiplus::Ok;
}

void WriteMixedTestPictures(const std::string& folder) {
  const struct { const char* name; int width, height; const wchar_t* mime; } pictures[] = {
      {"a-landscape.jpg", 1600, 1000, L"image/jpeg"}, {"b-portrait.png", 600, 900, L"image/png"},
      {"c-small.bmp", 200, 150, L"image/bmp"},        {"d-wide.gif", 1200, 300, L"image/gif"},
      {"e-square.tif", 800, 800, L"image/tiff"},      {"f-screen.jpg", 1280, 1024, L"image/jpeg"},
  };
  unsigned seed = 1;
  for (const auto& picture : pictures)
    WriteTestPicture(folder + "\\" + picture.name, picture.width, picture.height, picture.mime, seed++);
}
