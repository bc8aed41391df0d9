// Owners that give back what Win32 handed out when they go out of scope, so an
// early return leaks nothing: kernel handles, window DCs, GDI objects and the
// object selected into a DC.
#pragma once

#include <windows.h>

// A kernel handle (file, process, thread, event); both null and
// INVALID_HANDLE_VALUE mean none.
class THandleHolder {
 public:
  explicit THandleHolder(HANDLE handle = nullptr) : handle_(handle) {}
  ~THandleHolder() {
    if (Valid()) CloseHandle(handle_);
  }
  THandleHolder(const THandleHolder&) = delete;
  THandleHolder& operator=(const THandleHolder&) = delete;

  HANDLE Get() const { return handle_; }
  bool Valid() const { return handle_ && handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

// A window's device context (the screen's for a null window).
class TWindowDcHolder {
 public:
  explicit TWindowDcHolder(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~TWindowDcHolder() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  TWindowDcHolder(const TWindowDcHolder&) = delete;
  TWindowDcHolder& operator=(const TWindowDcHolder&) = delete;

  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A pen, brush, font or bitmap, deleted at the end (after any TSelection of
// it made later has put the previous object back).
class TGdiObjectHolder {
 public:
  explicit TGdiObjectHolder(HGDIOBJ object) : object_(object) {}
  ~TGdiObjectHolder() {
    if (object_) DeleteObject(object_);
  }
  TGdiObjectHolder(const TGdiObjectHolder&) = delete;
  TGdiObjectHolder& operator=(const TGdiObjectHolder&) = delete;

  HGDIOBJ Get() const { return object_; }

 private:
  HGDIOBJ object_;
};

// An object selected into a DC for a scope; the previous one goes back at the end.
class TSelection {
 public:
  TSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~TSelection() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  TSelection(const TSelection&) = delete;
  TSelection& operator=(const TSelection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};
