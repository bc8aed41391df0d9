// Pictures through the Windows Imaging Component: a file decoded straight into a
// 32-bit buffer the program owns (at a reduced size where the decoder can scale while
// decoding), the orientation tag a JPEG carries, and the installed decoders' file
// types. COM must be initialised on the calling thread. One object belongs to one
// thread at a time.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core/composition/PixelSpan.h"

// One picture file, opened for its size and orientation before any pixel is decoded,
// so that the drawing can be planned first.
class TWicPictureFile {
 public:
  TWicPictureFile();
  ~TWicPictureFile();
  TWicPictureFile(const TWicPictureFile&) = delete;
  TWicPictureFile& operator=(const TWicPictureFile&) = delete;

  // Finds a decoder for the file and reads the first frame's size and, for a JPEG,
  // the orientation tag. Traced; "Failed to load picture." (the file name) when no
  // decoder takes the file or its size is not one we allocate.
  bool Open(const std::string& fileName);
  // The same without the status trace, for threads that must not touch it: the
  // failure's code instead.
  HRESULT TryOpen(const std::string& fileName);

  // The size as stored, before any turning.
  int Width() const { return width_; }
  int Height() const { return height_; }
  // The orientation tag (1..8); 1 when the file has none.
  int Orientation() const { return orientation_; }
  // Whether the decoder can scale while decoding.
  bool CanDecodeReduced() const;

  // Decodes the pixels as stored: blue, green, red, alpha (not premultiplied), at full
  // size, or at a reduced size no smaller than requested where the decoder can scale
  // (requestedWidth and requestedHeight of 0 ask for full size). Traced; "Failed to
  // load picture." (the file name) when the data is broken or memory is short.
  bool Decode(TPixelBuffer& pixels, int requestedWidth = 0, int requestedHeight = 0);
  HRESULT TryDecode(TPixelBuffer& pixels, int requestedWidth = 0, int requestedHeight = 0);
  // After a decode: true when every pixel is opaque.
  bool IsOpaque() const { return opaque_; }

 private:
  struct TInterfaces;
  std::unique_ptr<TInterfaces> interfaces_;
  std::string fileName_;
  std::string openedSize_;  // "WxH" as the header claimed it, for the failure report
  int width_ = 0;
  int height_ = 0;
  int orientation_ = 1;
  bool opaque_ = true;
};

// The installed decoders' file types as pattern texts in the form GDI+ gives them
// ("*.bmp;*.dib;*.rle"), one per decoder. Traced; false after a failure.
bool GetWicDecoderPatterns(std::vector<std::string>& patterns);
