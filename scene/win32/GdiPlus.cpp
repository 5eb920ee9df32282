#include "scene/win32/GdiPlus.h"

namespace vd::win32 {

TGdiPlus::TGdiPlus()
    : FLibrary(u"gdiplus.dll", platform::TLibrarySearch::SystemFolderOnly,
               {
                   {"GdiplusStartup", Startup},
                   {"GdiplusShutdown", Shutdown},
                   {"GdipCreateBitmapFromScan0", CreateBitmapFromScan0},
                   {"GdipCreateBitmapFromStream", CreateBitmapFromStream},
                   {"GdipCloneBitmapAreaI", CloneBitmapAreaI},
                   {"GdipBitmapLockBits", BitmapLockBits},
                   {"GdipBitmapUnlockBits", BitmapUnlockBits},
                   {"GdipDisposeImage", DisposeImage},
                   {"GdipGetImageWidth", GetImageWidth},
                   {"GdipGetImageHeight", GetImageHeight},
                   {"GdipGetImageGraphicsContext", GetImageGraphicsContext},
                   {"GdipDeleteGraphics", DeleteGraphics},
                   {"GdipFlush", Flush},
                   {"GdipSetSmoothingMode", SetSmoothingMode},
                   {"GdipSetInterpolationMode", SetInterpolationMode},
                   {"GdipSetPixelOffsetMode", SetPixelOffsetMode},
                   {"GdipSetCompositingMode", SetCompositingMode},
                   {"GdipSetTextContrast", SetTextContrast},
                   {"GdipSetTextRenderingHint", SetTextRenderingHint},
                   {"GdipCreateMatrix2", CreateMatrix2},
                   {"GdipSetMatrixElements", SetMatrixElements},
                   {"GdipDeleteMatrix", DeleteMatrix},
                   {"GdipSetWorldTransform", SetWorldTransform},
                   {"GdipSaveGraphics", SaveGraphics},
                   {"GdipRestoreGraphics", RestoreGraphics},
                   {"GdipResetClip", ResetClip},
                   {"GdipSetClipRect", SetClipRect},
                   {"GdipCreateSolidFill", CreateSolidFill},
                   {"GdipDeleteBrush", DeleteBrush},
                   {"GdipFillRectangle", FillRectangle},
                   {"GdipCreatePen1", CreatePen1},
                   {"GdipSetPenDashStyle", SetPenDashStyle},
                   {"GdipDeletePen", DeletePen},
                   {"GdipDrawRectangle", DrawRectangle},
                   {"GdipDrawImageRectRect", DrawImageRectRect},
                   {"GdipCreateImageAttributes", CreateImageAttributes},
                   {"GdipSetImageAttributesColorMatrix", SetImageAttributesColorMatrix},
                   {"GdipDisposeImageAttributes", DisposeImageAttributes},
                   {"GdipCreateFontFamilyFromName", CreateFontFamilyFromName},
                   {"GdipGetGenericFontFamilySansSerif", GetGenericFontFamilySansSerif},
                   {"GdipDeleteFontFamily", DeleteFontFamily},
                   {"GdipCreateFont", CreateFontFromFamily},
                   {"GdipDeleteFont", DeleteFont},
                   {"GdipCreateStringFormat", CreateStringFormat},
                   {"GdipSetStringFormatAlign", SetStringFormatAlign},
                   {"GdipSetStringFormatLineAlign", SetStringFormatLineAlign},
                   {"GdipSetStringFormatFlags", SetStringFormatFlags},
                   {"GdipDeleteStringFormat", DeleteStringFormat},
                   {"GdipDrawString", DrawString},
               }) {
  if (!FLibrary.Bound()) return;
  const Gdiplus::GdiplusStartupInput input;
  if (Startup(&FToken, &input, nullptr) != Gdiplus::Ok) FToken = 0;
}

TGdiPlus::~TGdiPlus() {
  if (FToken) Shutdown(FToken);
}

std::shared_ptr<TGdiPlus> TGdiPlus::Session() {
  static std::weak_ptr<TGdiPlus> running;
  if (std::shared_ptr<TGdiPlus> session = running.lock()) return session;
  std::shared_ptr<TGdiPlus> session(new TGdiPlus);
  if (!session->FToken) return nullptr;
  running = session;
  return session;
}

}  // namespace vd::win32
