// The imaging component's interface for decoders that scale while decoding, which
// mingw-w64's headers do not declare. Kept in its own namespace so that it cannot
// clash with a header that declares it one day.
#pragma once

#include <windows.h>
#include <wincodec.h>

#include "core/composition/PixelSpan.h"

namespace wic {

// {3B16811B-6A43-4EC9-B713-3D5A0C13B940}
constexpr GUID IID_IWICBitmapSourceTransform = {
    0x3B16811B, 0x6A43, 0x4EC9, {0xB7, 0x13, 0x3D, 0x5A, 0x0C, 0x13, 0xB9, 0x40}};

struct IWICBitmapSourceTransform : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE CopyPixels(const WICRect* rect, UINT width, UINT height,
                                               WICPixelFormatGUID* format,
                                               WICBitmapTransformOptions transform, UINT stride,
                                               UINT bufferSize, BYTE* buffer) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetClosestSize(UINT* width, UINT* height) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetClosestPixelFormat(WICPixelFormatGUID* format) = 0;
  virtual HRESULT STDMETHODCALLTYPE DoesSupportTransform(WICBitmapTransformOptions transform,
                                                         BOOL* supported) = 0;
};

}  // namespace wic

// Decodes through the transform at the size it offers closest to the request, as
// 32-bit pixels, when that is smaller than fullWidth x fullHeight on some axis and no
// smaller than the request on either. False, with the buffer empty, when the decoder
// offers no such size or none of the pixel formats read here (32-bit with or without
// alpha, 24-bit); the caller then decodes at full size.
bool DecodeThroughSourceTransform(wic::IWICBitmapSourceTransform* transform, int fullWidth,
                                  int fullHeight, int requestedWidth, int requestedHeight,
                                  TPixelBuffer& pixels);
