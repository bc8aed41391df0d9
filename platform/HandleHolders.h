// Owners that give back what Win32 handed out when they go out of scope, so an
// early return leaks nothing: kernel handles, searches, registry keys, local
// memory, window and memory DCs, GDI objects and the object selected into a DC.
#pragma once

#include <windows.h>

// One handle, given back by Close at the end unless it is none. Movable, so
// that it can be kept in a container or handed on to a longer-lived owner.
template <typename Handle, auto Close>
class TOwnedHandle {
 public:
  explicit TOwnedHandle(Handle handle = Handle()) : handle_(handle) {}
  ~TOwnedHandle() { Reset(); }
  TOwnedHandle(const TOwnedHandle&) = delete;
  TOwnedHandle& operator=(const TOwnedHandle&) = delete;
  TOwnedHandle(TOwnedHandle&& other) noexcept : handle_(other.Release()) {}
  TOwnedHandle& operator=(TOwnedHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  Handle Get() const { return handle_; }
  // Null and INVALID_HANDLE_VALUE both mean none: the system's calls fail with
  // one or the other, depending on the kind.
  bool Valid() const { return handle_ && handle_ != reinterpret_cast<Handle>(INVALID_HANDLE_VALUE); }
  // Gives back what is held and holds the given handle instead.
  void Reset(Handle handle = Handle()) {
    if (Valid()) Close(handle_);
    handle_ = handle;
  }
  // Gives up the handle without giving it back.
  Handle Release() {
    const Handle handle = handle_;
    handle_ = Handle();
    return handle;
  }

 private:
  Handle handle_;
};

// A kernel handle: file, process, thread, event, mutex.
using THandleHolder = TOwnedHandle<HANDLE, CloseHandle>;
// A search begun by FindFirstFile.
using TFileSearchHolder = TOwnedHandle<HANDLE, FindClose>;
// A registry key opened or created by the program.
using TRegistryKeyHolder = TOwnedHandle<HKEY, RegCloseKey>;
// Memory the system allocated for the caller with LocalAlloc (command-line
// splits, formatted messages).
using TLocalMemoryHolder = TOwnedHandle<HLOCAL, LocalFree>;
// A view of a file mapping from MapViewOfFile.
using TMappedViewHolder = TOwnedHandle<void*, UnmapViewOfFile>;
// A memory DC from CreateCompatibleDC.
using TMemoryDcHolder = TOwnedHandle<HDC, DeleteDC>;
// A pen, brush, font or bitmap, deleted at the end (after any TSelection of
// it made later has put the previous object back).
using TGdiObjectHolder = TOwnedHandle<HGDIOBJ, DeleteObject>;

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

// A bitmap selected into a memory DC of its own (compatible with the screen),
// for drawing off screen; the bitmap and the DC both go at the end.
class TBitmapDcHolder {
 public:
  explicit TBitmapDcHolder(HBITMAP bitmap)
      : bitmap_(bitmap), dc_(CreateCompatibleDC(nullptr)), selection_(dc_.Get(), bitmap) {}

  HDC Dc() const { return dc_.Get(); }
  HBITMAP Bitmap() const { return static_cast<HBITMAP>(bitmap_.Get()); }
  bool Valid() const { return bitmap_.Valid() && dc_.Valid(); }

 private:
  // Destroyed in reverse: the selection is undone first, then the DC and the bitmap go.
  TGdiObjectHolder bitmap_;
  TMemoryDcHolder dc_;
  TSelection selection_;
};
