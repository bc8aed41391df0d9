// Owners that give back what Win32 handed out when they go out of scope, so an
// early return leaks nothing: kernel handles, searches, registry keys, local
// memory, window and memory DCs, GDI objects and the object selected into a DC.
#pragma once

#include <windows.h>

// One handle of a kind, closed at the end unless it is none. Movable, so that
// it can be kept in a container or handed on to a longer-lived owner.
template <typename Handle, typename Kind>
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
  bool Valid() const { return Kind::Valid(handle_); }
  // Closes what is held and holds the given handle instead.
  void Reset(Handle handle = Handle()) {
    if (Valid()) Kind::Close(handle_);
    handle_ = handle;
  }
  // Gives up the handle without closing it.
  Handle Release() {
    const Handle handle = handle_;
    handle_ = Handle();
    return handle;
  }

 private:
  Handle handle_;
};

struct TKernelHandleKind {
  // Both null and INVALID_HANDLE_VALUE mean none.
  static bool Valid(HANDLE handle) { return handle && handle != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE handle) { CloseHandle(handle); }
};

struct TFileSearchKind {
  static bool Valid(HANDLE search) { return search && search != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE search) { FindClose(search); }
};

struct TRegistryKeyKind {
  static bool Valid(HKEY key) { return key != nullptr; }
  static void Close(HKEY key) { RegCloseKey(key); }
};

struct TLocalMemoryKind {
  static bool Valid(HLOCAL memory) { return memory != nullptr; }
  static void Close(HLOCAL memory) { LocalFree(memory); }
};

struct TMemoryDcKind {
  static bool Valid(HDC dc) { return dc != nullptr; }
  static void Close(HDC dc) { DeleteDC(dc); }
};

struct TGdiObjectKind {
  static bool Valid(HGDIOBJ object) { return object != nullptr; }
  static void Close(HGDIOBJ object) { DeleteObject(object); }
};

// A kernel handle: file, process, thread, event, mutex.
using THandleHolder = TOwnedHandle<HANDLE, TKernelHandleKind>;
// A search begun by FindFirstFile.
using TFileSearchHolder = TOwnedHandle<HANDLE, TFileSearchKind>;
// A registry key opened or created by the program.
using TRegistryKeyHolder = TOwnedHandle<HKEY, TRegistryKeyKind>;
// Memory the system allocated for the caller with LocalAlloc (command-line
// splits, formatted messages).
using TLocalMemoryHolder = TOwnedHandle<HLOCAL, TLocalMemoryKind>;
// A memory DC from CreateCompatibleDC.
using TMemoryDcHolder = TOwnedHandle<HDC, TMemoryDcKind>;
// A pen, brush, font or bitmap, deleted at the end (after any TSelection of
// it made later has put the previous object back).
using TGdiObjectHolder = TOwnedHandle<HGDIOBJ, TGdiObjectKind>;

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
