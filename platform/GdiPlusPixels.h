// A picture decoded by GDI+ and copied into a buffer the program owns, in the same
// form the imaging component's decode gives: for metafiles, which only GDI+ plays,
// and as the fallback for files the imaging component cannot read. GDI+ must be
// running.
#pragma once

#include <string>

#include "core/composition/PixelSpan.h"

// Blue, green, red, alpha (not premultiplied), top row first; opaque tells whether
// every alpha is 255. Traced; "Failed to load picture." (the file name) when GDI+
// cannot decode the file or its pixels cannot be copied.
bool DecodePictureWithGdiPlus(const std::string& fileName, TPixelBuffer& pixels, bool& opaque);
// The same without the status trace, for threads that must not touch it.
bool TryDecodePictureWithGdiPlus(const std::string& fileName, TPixelBuffer& pixels, bool& opaque);
