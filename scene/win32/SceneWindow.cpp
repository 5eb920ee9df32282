#include "scene/win32/SceneWindow.h"

#include <windowsx.h>

#include <span>

#include "core/ClassInfo.h"
#include "platform/win32/MainThreadDispatcher.h"
#include "platform/win32/SystemError.h"
#include "scene/layout/VisualObject.h"
#include "scene/win32/LayeredWindow.h"

namespace vd::win32 {

namespace {

RECT ToRECT(const TvgPixelRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

// The mouse's button messages: which button, whether pressed, whether a double click.
struct TButtonMessage {
  UINT Message;
  TMouseButton Button;
  bool Down;
  bool Double;
};
constexpr TButtonMessage kButtonMessages[] = {
    {WM_LBUTTONDOWN, mbLeft, true, false},   {WM_LBUTTONDBLCLK, mbLeft, true, true},
    {WM_RBUTTONDOWN, mbRight, true, false},  {WM_RBUTTONDBLCLK, mbRight, true, true},
    {WM_MBUTTONDOWN, mbMiddle, true, false}, {WM_MBUTTONDBLCLK, mbMiddle, true, true},
    {WM_LBUTTONUP, mbLeft, false, false},    {WM_RBUTTONUP, mbRight, false, false},
    {WM_MBUTTONUP, mbMiddle, false, false},
};

}  // namespace

TvgScene::TvgScene(TComponent* AOwner) : TvgCustomScene(AOwner) { SetHost(&FHost); }

TvgScene::~TvgScene() {
  SetHost(nullptr);
  TMainThreadDispatcher::Instance().Cancel(this);
  DestroyHandle();
}

const TClassInfo& TvgScene::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TvgScene>(u"TvgScene", TvgCustomScene::StaticClassInfo()).Creatable().Build();
  return info;
}

void TvgScene::BoundsChanged(bool resized) {
  if (!Handle()) return;
  const TvgPixelRect pixels = PixelBounds();
  MoveWindow(Handle(), pixels.Left, pixels.Top, pixels.Width(), pixels.Height(), TRUE);
  if (!resized) return;
  if (FCanvas) FCanvas->ResizeBuffer(pixels.Width(), pixels.Height());
  RealignRoot();
}

void TvgScene::OpenDrawing() {
  if (FCanvas) return;
  auto canvas = std::make_unique<TvgGdiPlusCanvas>();
  canvas->ResizeBuffer(PixelBounds().Width(), PixelBounds().Height());
  FCanvas = std::move(canvas);
}

void TvgScene::Showing() {
  FReleaseTimer.reset();
  if (!FCanvas) UpdateBuffer();
}

void TvgScene::Hidden() {
  IvgClock* clock = SceneClock();
  if (!FCanvas || !clock) return;
  FReleaseTimer = clock->StartTimer(kReleaseDelayMs, [this] {
    FReleaseTimer.reset();
    FCanvas.reset();
  });
}

void TvgScene::Loaded() {
  TvgCustomScene::Loaded();
  // Draws everything once the message loop runs, whatever happened while loading.
  if (!TMainThreadDispatcher::Instance().StartTimer(this, 1, [this] {
        TMainThreadDispatcher::Instance().StopTimer(this);
        AddUpdateRect({0, 0, 65535, 65535});
      }))
    RaiseLastOSError(u"SetTimer");
}

void TvgScene::CreateWindowIn(HWND parent) {
  if (Handle()) return;
  const TvgPixelRect pixels = PixelBounds();
  CreateHandle({.ClassName = L"TvgScene",
                .Parent = parent,
                .Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                .X = pixels.Left,
                .Y = pixels.Top,
                .Width = pixels.Width(),
                .Height = pixels.Height(),
                .ClassStyle = CS_DBLCLKS});
  RealignRoot();
  AddUpdateRect({0, 0, static_cast<float>(Width()), static_cast<float>(Height())});
  if (Layered()) {
    const HWND form = Form();
    SetWindowLongPtrW(form, GWL_EXSTYLE, GetWindowLongPtrW(form, GWL_EXSTYLE) | WS_EX_LAYERED);
    UpdateLayerPublic();
    AddUpdateRect({0, 0, 65535, 65535});
  }
}

void TvgScene::RealignRoot() {
  if (TvgObject* root = GetRoot())
    if (TvgVisualObject* visual = root->Visual()) visual->Realign();
}

HWND TvgScene::Form() const { return Handle() ? GetParent(Handle()) : nullptr; }

bool TvgScene::ParentIsForm() const {
  const HWND parent = Form();
  return parent && !(GetWindowLongPtrW(parent, GWL_STYLE) & WS_CHILD);
}

void TvgScene::CollectDamage(const TvgRect& r) {
  if (!OnFlush.Assigned() && !Handle()) return;
  const std::optional<TvgPixelRect> rect = DamageInPixels(r);
  if (!rect) return;
  if (DrawsOnRequest()) {
    // Without a drawing side there is nothing to draw into; showing draws all of the scene.
    if (!FCanvas || !FCanvas->Buffer().Bits()) return;
    AddPendingRect(*rect);
    if (Handle()) PostMessageW(Handle(), WM_SCENE_REDRAW, 0, 0);
  } else {
    // Drawn on the paint message, which makes the drawing side when the window is shown.
    const RECT invalid = ToRECT(*rect);
    InvalidateRect(Handle(), &invalid, FALSE);
  }
}

void TvgScene::UpdateBuffer() {
  OpenDrawing();
  if (!FCanvas->Buffer().Bits()) return;
  AddPendingRect({0, 0, FCanvas->Buffer().Width(), FCanvas->Buffer().Height()});
  if (!Handle()) {
    DrawPass(nullptr);
    return;
  }
  const TWindowDC dc(Handle());
  DrawPass(dc.Get());
}

void TvgScene::DrawPass(HDC target) {
  if (!FCanvas) return;
  const std::vector<TvgPixelRect> drawn = PaintScene(*FCanvas);
  if (drawn.empty()) return;
  if (OnFlush.Assigned()) {
    OnFlush(this);
  } else if (Layered()) {
    UpdateLayerPublic();
  } else if (target) {
    for (const TvgPixelRect& rect : drawn) FCanvas->FlushBufferRect(target, ToRECT(rect));
  }
}

void TvgScene::UpdateLayerPublic() {
  const HWND form = Form();
  const TUpdateLayeredWindow update = UpdateLayeredWindowFunction();
  if (IsDesigning() || !form || !update || !FCanvas || !FCanvas->Buffer().DC()) return;
  RECT bounds{};
  GetWindowRect(form, &bounds);
  const TvgPixelRect pixels = PixelBounds();
  POINT position{bounds.left + pixels.Left, bounds.top + pixels.Top};
  SIZE size{pixels.Width(), pixels.Height()};
  POINT source{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  update(form, nullptr, &position, &size, FCanvas->Buffer().DC(), &source, 0, &blend, ULW_ALPHA);
}

void TvgScene::Paint(PAINTSTRUCT& paint) {
  const TUniqueRegion region(CreateRectRgn(0, 0, 0, 0));
  const int kind = region ? GetUpdateRgn(Handle(), region.Get(), FALSE) : ERROR;
  if (kind == SIMPLEREGION || kind == COMPLEXREGION) {
    const DWORD size = GetRegionData(region.Get(), 0, nullptr);
    std::vector<std::uint8_t> data(size);
    auto* header = reinterpret_cast<RGNDATA*>(data.data());
    if (size && GetRegionData(region.Get(), size, header)) {
      const auto* rects = reinterpret_cast<const RECT*>(header->Buffer);
      for (const RECT& r : std::span(rects, header->rdh.nCount)) AddPendingRect({r.left, r.top, r.right, r.bottom});
    }
  }
  OpenDrawing();
  BeginPaint(Handle(), &paint);
  DrawPass(paint.hdc);
  EndPaint(Handle(), &paint);
}

LRESULT TvgScene::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SCENE_REDRAW: {
      // Every report posted one; the pass handles them all.
      MSG queued;
      while (PeekMessageW(&queued, Handle(), WM_SCENE_REDRAW, WM_SCENE_REDRAW, PM_REMOVE)) {
      }
      const TWindowDC dc(Handle());
      DrawPass(dc.Get());
      return 0;
    }
    case WM_PAINT:
      if (Drawing()) break;
      {
        PAINTSTRUCT paint{};
        Paint(paint);
      }
      return 0;
    case WM_ERASEBKGND:
      if (wParam && FCanvas && !GetUpdateRect(Handle(), nullptr, FALSE))
        FCanvas->FlushBufferRect(reinterpret_cast<HDC>(wParam), {0, 0, PixelBounds().Width(), PixelBounds().Height()});
      return 1;
    case WM_SHOWWINDOW:
      AddUpdateRect({0, 0, static_cast<float>(Width()), static_cast<float>(Height())});
      break;
    // The mouse taken away before its button was released: the capture went to another
    // window (or to none), the window was told to cancel its modes (the default handling
    // then releases the capture), or it lost the focus, as it does when its form loses the
    // activation, in the middle of a drag or a press (when another program's window takes
    // the foreground and the capture, the lost focus is what this window hears of it).
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != Handle()) LoseMouse();
      return 0;
    case WM_CANCELMODE:
      LoseMouse();
      break;
    case WM_KILLFOCUS:
      if (MovingWindow() || GetCaptured()) LoseMouse();
      break;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && FCursor) {
        ::SetCursor(FCursor);
        return TRUE;
      }
      break;
  }
  if (HandleMouse(message, wParam, lParam)) return 0;
  return TWindowBase::HandleMessage(message, wParam, lParam);
}

bool TvgScene::HandleMouse(UINT message, WPARAM wParam, LPARAM lParam) {
  TShiftState shift = 0;
  if (wParam & MK_SHIFT) shift |= ssShift;
  if (wParam & MK_CONTROL) shift |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  if (wParam & MK_LBUTTON) shift |= ssLeft;
  if (wParam & MK_RBUTTON) shift |= ssRight;
  if (wParam & MK_MBUTTON) shift |= ssMiddle;
  const auto x = static_cast<float>(GET_X_LPARAM(lParam));
  const auto y = static_cast<float>(GET_Y_LPARAM(lParam));
  for (const TButtonMessage& button : kButtonMessages) {
    if (button.Message != message) continue;
    if (!button.Down)
      MouseUp(button.Button, shift, x, y);
    else
      MouseDown(button.Button, button.Double ? shift | ssDouble : shift, x, y);
    return true;
  }
  switch (message) {
    case WM_MOUSEMOVE:
      if (!FTrackingLeave) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
        FTrackingLeave = TrackMouseEvent(&track);
      }
      MouseMove(shift, x, y);
      return true;
    case WM_MOUSELEAVE:
      FTrackingLeave = false;
      MouseLeave();
      return true;
    case WM_MOUSEWHEEL: {
      POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ScreenToClient(Handle(), &point);
      DoMouseWheel(shift, GET_WHEEL_DELTA_WPARAM(wParam), static_cast<float>(point.x), static_cast<float>(point.y));
      return true;
    }
  }
  return false;
}

void TvgScene::LoseMouse() {
  MouseCaptureLost();
  // The system may have dropped the leave tracking with the capture: the next move asks again.
  FTrackingLeave = false;
}

void TvgScene::THost::SetCapture() { ::SetCapture(FScene.Handle()); }

void TvgScene::THost::ReleaseCapture() {
  if (GetCapture() == FScene.Handle()) ::ReleaseCapture();
}

TvgPixelRect TvgScene::THost::FormBounds() {
  RECT bounds{};
  if (const HWND form = FScene.Form()) GetWindowRect(form, &bounds);
  return {bounds.left, bounds.top, bounds.right, bounds.bottom};
}

void TvgScene::THost::SetFormBounds(const TvgPixelRect& b) {
  if (const HWND form = FScene.Form())
    SetWindowPos(form, nullptr, b.Left, b.Top, b.Width(), b.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TvgScene::THost::TakeFocus() {
  // A scene whose pictures go to a flush handler is not what the user looks at.
  if (!FScene.OnFlush.Assigned()) ::SetFocus(FScene.Handle());
}

void TvgScene::THost::SetCursor(TvgCursor cursor) {
  const wchar_t* shape = IDC_ARROW;
  switch (cursor) {
    case crHandPoint:
      shape = IDC_HAND;
      break;
    case crIBeam:
      shape = IDC_IBEAM;
      break;
    case crSizeNWSE:
      shape = IDC_SIZENWSE;
      break;
    case crDefault:
    case crArrow:
      break;
  }
  FScene.FCursor = LoadCursorW(nullptr, shape);
  ::SetCursor(FScene.FCursor);
}

std::int32_t TvgScene::THost::FormTag() {
  const TComponent* form = FScene.Owner();
  return form && FScene.ParentIsForm() ? form->Tag() : 0;
}

}  // namespace vd::win32
