#pragma once
// GDI+, bound by name at run time from the system folder and started while it is in use:
// whoever draws or keeps a decoded picture holds the session, and the last holder to go
// shuts GDI+ down. Main thread only.

#include <windows.h>
// Before GDI+'s header, which uses IStream.
#include <objidl.h>
//
#include <gdiplus.h>

#include <memory>
#include <utility>

#include "platform/LibraryBinding.h"

namespace vd::win32 {

namespace gp = Gdiplus::DllExports;

class TGdiPlus {
public:
  // The running session, started on first need; nullptr when gdiplus.dll, one of its
  // functions or its start is missing.
  static std::shared_ptr<TGdiPlus> Session();
  ~TGdiPlus();
  TGdiPlus(const TGdiPlus&) = delete;
  TGdiPlus& operator=(const TGdiPlus&) = delete;

  // The functions the toolkit calls; declared before the binding that fills them.
  decltype(Gdiplus::GdiplusStartup)* Startup = nullptr;
  decltype(Gdiplus::GdiplusShutdown)* Shutdown = nullptr;
  decltype(gp::GdipCreateBitmapFromScan0)* CreateBitmapFromScan0 = nullptr;
  decltype(gp::GdipCreateBitmapFromStream)* CreateBitmapFromStream = nullptr;
  decltype(gp::GdipCloneBitmapAreaI)* CloneBitmapAreaI = nullptr;
  decltype(gp::GdipBitmapLockBits)* BitmapLockBits = nullptr;
  decltype(gp::GdipBitmapUnlockBits)* BitmapUnlockBits = nullptr;
  decltype(gp::GdipDisposeImage)* DisposeImage = nullptr;
  decltype(gp::GdipGetImageWidth)* GetImageWidth = nullptr;
  decltype(gp::GdipGetImageHeight)* GetImageHeight = nullptr;
  decltype(gp::GdipGetImageGraphicsContext)* GetImageGraphicsContext = nullptr;
  decltype(gp::GdipDeleteGraphics)* DeleteGraphics = nullptr;
  decltype(gp::GdipFlush)* Flush = nullptr;
  decltype(gp::GdipSetSmoothingMode)* SetSmoothingMode = nullptr;
  decltype(gp::GdipSetInterpolationMode)* SetInterpolationMode = nullptr;
  decltype(gp::GdipSetPixelOffsetMode)* SetPixelOffsetMode = nullptr;
  decltype(gp::GdipSetCompositingMode)* SetCompositingMode = nullptr;
  decltype(gp::GdipSetTextContrast)* SetTextContrast = nullptr;
  decltype(gp::GdipSetTextRenderingHint)* SetTextRenderingHint = nullptr;
  decltype(gp::GdipCreateMatrix2)* CreateMatrix2 = nullptr;
  decltype(gp::GdipSetMatrixElements)* SetMatrixElements = nullptr;
  decltype(gp::GdipDeleteMatrix)* DeleteMatrix = nullptr;
  decltype(gp::GdipSetWorldTransform)* SetWorldTransform = nullptr;
  decltype(gp::GdipSaveGraphics)* SaveGraphics = nullptr;
  decltype(gp::GdipRestoreGraphics)* RestoreGraphics = nullptr;
  decltype(gp::GdipResetClip)* ResetClip = nullptr;
  decltype(gp::GdipSetClipRect)* SetClipRect = nullptr;
  decltype(gp::GdipCreateSolidFill)* CreateSolidFill = nullptr;
  decltype(gp::GdipDeleteBrush)* DeleteBrush = nullptr;
  decltype(gp::GdipFillRectangle)* FillRectangle = nullptr;
  decltype(gp::GdipCreatePen1)* CreatePen1 = nullptr;
  decltype(gp::GdipSetPenDashStyle)* SetPenDashStyle = nullptr;
  decltype(gp::GdipDeletePen)* DeletePen = nullptr;
  decltype(gp::GdipDrawRectangle)* DrawRectangle = nullptr;
  decltype(gp::GdipDrawImageRectRect)* DrawImageRectRect = nullptr;
  decltype(gp::GdipCreateImageAttributes)* CreateImageAttributes = nullptr;
  decltype(gp::GdipSetImageAttributesColorMatrix)* SetImageAttributesColorMatrix = nullptr;
  decltype(gp::GdipDisposeImageAttributes)* DisposeImageAttributes = nullptr;
  decltype(gp::GdipCreateFontFamilyFromName)* CreateFontFamilyFromName = nullptr;
  decltype(gp::GdipGetGenericFontFamilySansSerif)* GetGenericFontFamilySansSerif = nullptr;
  decltype(gp::GdipDeleteFontFamily)* DeleteFontFamily = nullptr;
  decltype(gp::GdipCreateFont)* CreateFontFromFamily = nullptr;
  decltype(gp::GdipDeleteFont)* DeleteFont = nullptr;
  decltype(gp::GdipCreateStringFormat)* CreateStringFormat = nullptr;
  decltype(gp::GdipSetStringFormatAlign)* SetStringFormatAlign = nullptr;
  decltype(gp::GdipSetStringFormatLineAlign)* SetStringFormatLineAlign = nullptr;
  decltype(gp::GdipSetStringFormatFlags)* SetStringFormatFlags = nullptr;
  decltype(gp::GdipDeleteStringFormat)* DeleteStringFormat = nullptr;
  decltype(gp::GdipDrawString)* DrawString = nullptr;

private:
  TGdiPlus();

  TLibraryBinding FLibrary;
  ULONG_PTR FToken = 0;
};

// A GDI+ object, freed with its own call; it keeps the session running while it lives.
template <class T>
class TGdiPlusObject {
public:
  using TFree = Gdiplus::GpStatus(WINGDIPAPI*)(T*);
  TGdiPlusObject() = default;
  TGdiPlusObject(std::shared_ptr<TGdiPlus> session, TFree free, T* object)
      : FSession(std::move(session)), FFree(free), FObject(object) {}
  ~TGdiPlusObject() { Reset(); }
  TGdiPlusObject(TGdiPlusObject&& other) noexcept
      : FSession(std::move(other.FSession)), FFree(other.FFree), FObject(std::exchange(other.FObject, nullptr)) {}
  TGdiPlusObject& operator=(TGdiPlusObject&& other) noexcept {
    if (this != &other) {
      Reset();
      FSession = std::move(other.FSession);
      FFree = other.FFree;
      FObject = std::exchange(other.FObject, nullptr);
    }
    return *this;
  }
  TGdiPlusObject(const TGdiPlusObject&) = delete;
  TGdiPlusObject& operator=(const TGdiPlusObject&) = delete;

  T* Get() const { return FObject; }
  explicit operator bool() const { return FObject != nullptr; }
  void Reset() {
    if (FObject) FFree(std::exchange(FObject, nullptr));
    FSession.reset();
  }

private:
  std::shared_ptr<TGdiPlus> FSession;
  TFree FFree = nullptr;
  T* FObject = nullptr;
};

}  // namespace vd::win32
