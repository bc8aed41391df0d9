#include "platform/GdiPlusEncoders.h"

#include <gdiplus.h>

#include <cwchar>
#include <vector>

bool FindImageEncoder(const wchar_t* mimeType, CLSID& encoder) {
  using namespace Gdiplus;
  UINT count = 0;
  UINT bytes = 0;
  if (DllExports::GdipGetImageEncodersSize(&count, &bytes) != Ok || count == 0) return false;
  std::vector<BYTE> buffer(bytes);
  auto* codecs = reinterpret_cast<ImageCodecInfo*>(buffer.data());
  if (DllExports::GdipGetImageEncoders(count, bytes, codecs) != Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (codecs[i].MimeType && std::wcscmp(codecs[i].MimeType, mimeType) == 0) {
      encoder = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}
