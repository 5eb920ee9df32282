#include "scene/win32/SceneWindow.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>

#include "core/ClassInfo.h"
#include "platform/win32/MainThreadDispatcher.h"
#include "scene/layout/VisualObject.h"
#include "scene/win32/LayeredWindow.h"

namespace vd::win32 {

namespace {

// More pending rectangles than this are drawn as their union.
constexpr std::size_t kMostUpdateRects = 20;

bool Meets(const TvgRect& a, const RECT& b) {
  return a.Left < static_cast<float>(b.right) && static_cast<float>(b.left) < a.Right &&
         a.Top < static_cast<float>(b.bottom) && static_cast<float>(b.top) < a.Bottom;
}

// Clears the pending rectangles when a pass ends, however it ends.
class TPassGuard {
public:
  TPassGuard(bool& drawing, std::vector<RECT>& rects) : FDrawing(drawing), FRects(rects) { FDrawing = true; }
  ~TPassGuard() {
    FRects.clear();
    FDrawing = false;
  }
  TPassGuard(const TPassGuard&) = delete;
  TPassGuard& operator=(const TPassGuard&) = delete;

private:
  bool& FDrawing;
  std::vector<RECT>& FRects;
};

}  // namespace

TvgScene::TvgScene(TComponent* AOwner) : TvgCustomScene(AOwner) { SetHost(&FHost); }

TvgScene::~TvgScene() {
  SetHost(nullptr);
  TMainThreadDispatcher::Instance().Cancel(this);
  DestroyHandle();
}

const TClassInfo& TvgScene::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TvgScene>(u"TvgScene", TvgCustomScene::StaticClassInfo())
                                     .Creatable()
                                     .Integer(u"Left", &TvgScene::Left, &TvgScene::SetLeft)
                                     .Default(0)
                                     .Integer(u"Top", &TvgScene::Top, &TvgScene::SetTop)
                                     .Default(0)
                                     .Integer(u"Width", &TvgScene::Width, &TvgScene::SetWidth)
                                     .Integer(u"Height", &TvgScene::Height, &TvgScene::SetHeight)
                                     .Event(u"OnFlush", &TvgScene::OnFlush)
                                     .Build();
  return info;
}

void TvgScene::SetBounds(int left, int top, int width, int height) {
  const bool resized = width != FWidth || height != FHeight;
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  if (!Handle()) return;
  MoveWindow(Handle(), FLeft, FTop, FWidth, FHeight, TRUE);
  if (!resized) return;
  FCanvas.ResizeBuffer(FWidth, FHeight);
  RealignRoot();
}

void TvgScene::Loaded() {
  TvgCustomScene::Loaded();
  // Draws everything once the message loop runs, whatever happened while loading.
  TMainThreadDispatcher::Instance().StartTimer(this, 1, [this] {
    TMainThreadDispatcher::Instance().StopTimer(this);
    AddUpdateRect({0, 0, 65535, 65535});
  });
}

void TvgScene::CreateWindowIn(HWND parent) {
  if (Handle()) return;
  CreateHandle({.ClassName = L"TvgScene",
                .Parent = parent,
                .Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                .X = FLeft,
                .Y = FTop,
                .Width = FWidth,
                .Height = FHeight,
                .ClassStyle = CS_DBLCLKS});
  FCanvas.ResizeBuffer(FWidth, FHeight);
  RealignRoot();
  AddUpdateRect({0, 0, static_cast<float>(FWidth), static_cast<float>(FHeight)});
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

bool TvgScene::Layered() const { return Transparency() && !IsDesigning() && ParentIsForm(); }

void TvgScene::CollectDamage(const TvgRect& r) {
  if ((!OnFlush.Assigned() && !Handle()) || !FCanvas.Buffer().Bits()) return;
  if (std::isnan(r.Left) || std::isnan(r.Top) || std::isnan(r.Right) || std::isnan(r.Bottom)) return;
  if (r.Width() == 0 || r.Height() == 0) return;
  // Whole pixels: the edges truncated, the right and bottom ones exclusive plus one; then
  // inside the scene.
  const auto clamp = [](float value, int high) {
    return static_cast<LONG>(std::clamp(value, 0.0f, static_cast<float>(high)));
  };
  const RECT rect{clamp(std::trunc(r.Left), FWidth), clamp(std::trunc(r.Top), FHeight),
                  clamp(std::trunc(r.Right) + 1, FWidth), clamp(std::trunc(r.Bottom) + 1, FHeight)};
  if (rect.left >= rect.right || rect.top >= rect.bottom) return;
  if (OnFlush.Assigned() || Layered()) {
    FUpdateRects.push_back(rect);
    if (Handle()) PostMessageW(Handle(), WM_SCENE_REDRAW, 0, 0);
  } else {
    InvalidateRect(Handle(), &rect, FALSE);
  }
}

void TvgScene::UpdateBuffer() {
  if (!FCanvas.Buffer().Bits()) return;
  FUpdateRects.push_back({0, 0, FCanvas.Buffer().Width(), FCanvas.Buffer().Height()});
  if (!Handle()) {
    DrawPass(nullptr);
    return;
  }
  const TWindowDC dc(Handle());
  DrawPass(dc.Get());
}

void TvgScene::DrawPass(HDC target) {
  if (FDrawing || FUpdateRects.empty()) return;
  const TPassGuard guard(FDrawing, FUpdateRects);
  if (FUpdateRects.size() > kMostUpdateRects) {
    RECT all = FUpdateRects.front();
    for (const RECT& rect : FUpdateRects) UnionRect(&all, &all, &rect);
    FUpdateRects.assign(1, all);
  }
  if (FCanvas.BeginScene()) {
    FCanvas.ClipToRects(FUpdateRects);
    PaintBackground(FUpdateRects);
    for (int i = 0; i < Count(); ++i) {
      TvgVisualObject* object = Children(i)->Visual();
      if (!object || !object->Visible()) continue;
      const TvgRect bounds = object->AbsoluteRect();
      if (std::any_of(FUpdateRects.begin(), FUpdateRects.end(), [&](const RECT& r) { return Meets(bounds, r); }))
        object->PaintTo(FCanvas);
    }
    FCanvas.EndScene();
  }
  if (OnFlush.Assigned()) {
    OnFlush(this);
    return;
  }
  if (!Layered() && target)
    for (const RECT& rect : FUpdateRects) FCanvas.FlushBufferRect(target, rect);
  if (Layered()) UpdateLayerPublic();
}

void TvgScene::PaintBackground(const std::vector<RECT>& rects) {
  const TvgBrush& fill = *Fill();
  if (fill.Style() == vgBrushNone || (fill.Style() == vgBrushSolid && fill.Color() >> 24 == 0)) {
    // A transparent scene lets what lies behind show where no object draws.
    const TvgColor clear = Transparency() ? 0 : 0xFF000000 | fill.Color();
    for (const RECT& rect : rects) FCanvas.ClearRect(rect, clear);
    return;
  }
  FCanvas.FillRect({-1, -1, static_cast<float>(FWidth + 1), static_cast<float>(FHeight + 1)}, fill.Color(), 1);
}

void TvgScene::UpdateLayerPublic() {
  const HWND form = Form();
  const TUpdateLayeredWindow update = UpdateLayeredWindowFunction();
  if (IsDesigning() || !form || !update || !FCanvas.Buffer().DC()) return;
  RECT bounds{};
  GetWindowRect(form, &bounds);
  POINT position{bounds.left + FLeft, bounds.top + FTop};
  SIZE size{FWidth, FHeight};
  POINT source{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  update(form, nullptr, &position, &size, FCanvas.Buffer().DC(), &source, 0, &blend, ULW_ALPHA);
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
      FUpdateRects.insert(FUpdateRects.end(), rects, rects + header->rdh.nCount);
    }
  }
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
      if (FDrawing) break;
      {
        PAINTSTRUCT paint{};
        Paint(paint);
      }
      return 0;
    case WM_ERASEBKGND:
      if (wParam && !GetUpdateRect(Handle(), nullptr, FALSE))
        FCanvas.FlushBufferRect(reinterpret_cast<HDC>(wParam), {0, 0, FWidth, FHeight});
      return 1;
    case WM_SHOWWINDOW:
      AddUpdateRect({0, 0, static_cast<float>(FWidth), static_cast<float>(FHeight)});
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
  switch (message) {
    case WM_LBUTTONDOWN:
      MouseDown(mbLeft, shift, x, y);
      return true;
    case WM_LBUTTONDBLCLK:
      MouseDown(mbLeft, shift | ssDouble, x, y);
      return true;
    case WM_RBUTTONDOWN:
      MouseDown(mbRight, shift, x, y);
      return true;
    case WM_RBUTTONDBLCLK:
      MouseDown(mbRight, shift | ssDouble, x, y);
      return true;
    case WM_MBUTTONDOWN:
      MouseDown(mbMiddle, shift, x, y);
      return true;
    case WM_MBUTTONDBLCLK:
      MouseDown(mbMiddle, shift | ssDouble, x, y);
      return true;
    case WM_LBUTTONUP:
      MouseUp(mbLeft, shift, x, y);
      return true;
    case WM_RBUTTONUP:
      MouseUp(mbRight, shift, x, y);
      return true;
    case WM_MBUTTONUP:
      MouseUp(mbMiddle, shift, x, y);
      return true;
    case WM_MOUSEMOVE:
      if (!FTrackingLeave) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
        FTrackingLeave = TrackMouseEvent(&track);
      }
      MouseMove(shift, x, y);
      return true;
    case WM_MOUSELEAVE:
      // The mouse left the window: the object it was over is no longer hovered.
      FTrackingLeave = false;
      MouseMove(0, -1, -1);
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

void TvgScene::THost::SetCapture() { ::SetCapture(FScene.Handle()); }

void TvgScene::THost::ReleaseCapture() {
  if (GetCapture() == FScene.Handle()) ::ReleaseCapture();
}

TvgWindowBounds TvgScene::THost::FormBounds() {
  RECT bounds{};
  if (const HWND form = FScene.Form()) GetWindowRect(form, &bounds);
  return {bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top};
}

void TvgScene::THost::SetFormBounds(const TvgWindowBounds& b) {
  if (const HWND form = FScene.Form())
    SetWindowPos(form, nullptr, b.Left, b.Top, b.Width, b.Height, SWP_NOZORDER | SWP_NOACTIVATE);
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
