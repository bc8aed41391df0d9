// Finding the GDI+ encoder for a file format.
#pragma once

#include <windows.h>

// The encoder for a MIME type such as L"image/bmp"; false when GDI+ has none.
bool FindImageEncoder(const wchar_t* mimeType, CLSID& encoder);
