#pragma once
// Move-only owners of Win32 handles, one per handle kind, each freed with its own call.

#include <windows.h>

#include <utility>

namespace vd::win32 {

template <typename THandle, THandle Invalid, typename TCloser>
class TUniqueHandleOf {
public:
  TUniqueHandleOf() = default;
  explicit TUniqueHandleOf(THandle handle) : FHandle(handle) {}
  ~TUniqueHandleOf() { Reset(); }
  TUniqueHandleOf(TUniqueHandleOf&& other) noexcept : FHandle(other.Release()) {}
  TUniqueHandleOf& operator=(TUniqueHandleOf&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  TUniqueHandleOf(const TUniqueHandleOf&) = delete;
  TUniqueHandleOf& operator=(const TUniqueHandleOf&) = delete;

  THandle Get() const { return FHandle; }
  explicit operator bool() const { return FHandle != Invalid; }
  THandle Release() { return std::exchange(FHandle, Invalid); }
  void Reset(THandle handle = Invalid) {
    if (FHandle != Invalid) TCloser()(FHandle);
    FHandle = handle;
  }

private:
  THandle FHandle = Invalid;
};

struct TCloseHandle {
  void operator()(HANDLE h) const { ::CloseHandle(h); }
};
struct TCloseRegKey {
  void operator()(HKEY h) const { ::RegCloseKey(h); }
};
struct TFreeLibrary {
  void operator()(HMODULE h) const { ::FreeLibrary(h); }
};
struct TDestroyMenu {
  void operator()(HMENU h) const { ::DestroyMenu(h); }
};
struct TDestroyIcon {
  void operator()(HICON h) const { ::DestroyIcon(h); }
};
struct TDestroyWindow {
  void operator()(HWND h) const { ::DestroyWindow(h); }
};
// A device context made with CreateCompatibleDC or CreateDC; one from GetDC is a TWindowDC.
struct TDeleteDC {
  void operator()(HDC h) const { ::DeleteDC(h); }
};
struct TDeleteObject {
  void operator()(HGDIOBJ h) const { ::DeleteObject(h); }
};

// Kernel objects (mutexes, events, threads): nullptr is "none".
using TUniqueHandle = TUniqueHandleOf<HANDLE, nullptr, TCloseHandle>;
// Files from CreateFileW: INVALID_HANDLE_VALUE is "none"; kept apart from TUniqueHandle so
// that the two conventions never mix.
struct TUniqueFile {
  TUniqueFile() = default;
  explicit TUniqueFile(HANDLE h) : FHandle(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
  HANDLE Get() const { return FHandle.Get(); }
  explicit operator bool() const { return static_cast<bool>(FHandle); }

private:
  TUniqueHandle FHandle;
};
using TUniqueRegKey = TUniqueHandleOf<HKEY, nullptr, TCloseRegKey>;
using TUniqueModule = TUniqueHandleOf<HMODULE, nullptr, TFreeLibrary>;
using TUniqueMenu = TUniqueHandleOf<HMENU, nullptr, TDestroyMenu>;
using TUniqueIcon = TUniqueHandleOf<HICON, nullptr, TDestroyIcon>;
using TUniqueWindow = TUniqueHandleOf<HWND, nullptr, TDestroyWindow>;
using TUniqueDC = TUniqueHandleOf<HDC, nullptr, TDeleteDC>;
// GDI objects (bitmaps, brushes, regions): freed once no device context has them selected.
using TUniqueBitmap = TUniqueHandleOf<HBITMAP, nullptr, TDeleteObject>;
using TUniqueRegion = TUniqueHandleOf<HRGN, nullptr, TDeleteObject>;
using TUniqueFont = TUniqueHandleOf<HFONT, nullptr, TDeleteObject>;

// A window's device context from GetDC, given back with ReleaseDC.
class TWindowDC {
public:
  explicit TWindowDC(HWND window) : FWindow(window), FDC(::GetDC(window)) {}
  ~TWindowDC() {
    if (FDC) ::ReleaseDC(FWindow, FDC);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const { return FDC; }

private:
  HWND FWindow;
  HDC FDC;
};

// An object selected into a device context; the one it replaced is selected back when this
// goes, so that the object can be freed.
class TSelection {
public:
  TSelection() = default;
  TSelection(HDC dc, HGDIOBJ object) : FDC(dc), FPrevious(::SelectObject(dc, object)) {
    if (!FPrevious || FPrevious == HGDI_ERROR) FDC = nullptr;
  }
  ~TSelection() { Reset(); }
  TSelection(TSelection&& other) noexcept
      : FDC(std::exchange(other.FDC, nullptr)), FPrevious(std::exchange(other.FPrevious, nullptr)) {}
  TSelection& operator=(TSelection&& other) noexcept {
    if (this != &other) {
      Reset();
      FDC = std::exchange(other.FDC, nullptr);
      FPrevious = std::exchange(other.FPrevious, nullptr);
    }
    return *this;
  }
  TSelection(const TSelection&) = delete;
  TSelection& operator=(const TSelection&) = delete;
  // Whether the object was selected.
  explicit operator bool() const { return FDC != nullptr; }
  void Reset() {
    if (FDC) ::SelectObject(std::exchange(FDC, nullptr), FPrevious);
  }

private:
  HDC FDC = nullptr;
  HGDIOBJ FPrevious = nullptr;
};

// A COM interface pointer, released when it goes. Move-only like the other owners.
template <typename T>
class TComPtr {
public:
  TComPtr() = default;
  // Takes over a reference the caller holds (a new object's first one, say).
  explicit TComPtr(T* adopted) : FPointer(adopted) {}
  ~TComPtr() { Reset(); }
  TComPtr(TComPtr&& other) noexcept : FPointer(std::exchange(other.FPointer, nullptr)) {}
  TComPtr& operator=(TComPtr&& other) noexcept {
    if (this != &other) {
      Reset();
      FPointer = std::exchange(other.FPointer, nullptr);
    }
    return *this;
  }
  TComPtr(const TComPtr&) = delete;
  TComPtr& operator=(const TComPtr&) = delete;

  T* Get() const { return FPointer; }
  T* operator->() const { return FPointer; }
  explicit operator bool() const { return FPointer != nullptr; }
  // Releases what is held and gives the address for a call that fills it.
  T** Put() {
    Reset();
    return &FPointer;
  }
  void Reset() {
    if (FPointer) std::exchange(FPointer, nullptr)->Release();
  }

private:
  T* FPointer = nullptr;
};

}  // namespace vd::win32
