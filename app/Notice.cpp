#include "app/Notice.h"

#include <algorithm>
#include <limits>
#include <memory>

#include "base/Strings.h"
#include "lang/Translation.h"
#include "platform/Platform.h"
#include "scene/paint/Scale.h"

namespace vd {

namespace {

// How far a point is outside a rectangle, squared (0 inside).
long long DistanceSquared(const TvgPixelRect& r, TScreenPoint p) {
  const long long dx = p.X < r.Left ? r.Left - p.X : p.X >= r.Right ? p.X - r.Right + 1 : 0;
  const long long dy = p.Y < r.Top ? r.Top - p.Y : p.Y >= r.Bottom ? p.Y - r.Bottom + 1 : 0;
  return dx * dx + dy * dy;
}

}  // namespace

bool NoticeMayShow(TScreenState state) {
  return state != TScreenState::RunningDirect3DFullScreen && state != TScreenState::PresentationMode;
}

std::u16string ProfileNoticeText(int profileIndex) {
  return LookupTranslation(u"Profile") + u" " + IntToStr(profileIndex + 1);
}

std::u16string MicrophoneNoticeText(bool muted) {
  return LookupTranslation(muted ? u"Microphone muted" : u"Microphone on");
}

std::optional<TMonitorArea> MonitorAt(std::span<const TMonitorArea> monitors, TScreenPoint point) {
  const TMonitorArea* nearest = nullptr;
  long long best = std::numeric_limits<long long>::max();
  for (const TMonitorArea& monitor : monitors) {
    const long long distance = DistanceSquared(monitor.Bounds, point);
    if (distance < best) {
      best = distance;
      nearest = &monitor;
    }
  }
  if (!nearest) return std::nullopt;
  return *nearest;
}

TScreenPoint NoticePosition(const TvgPixelRect& workArea, int width, int height, float scale) {
  const int left = workArea.Left + (workArea.Right - workArea.Left - width) / 2;
  const int top = workArea.Bottom - ScaledLength(kNoticeBottomGap, scale) - height;
  return {std::max(left, workArea.Left), std::max(top, workArea.Top)};
}

std::optional<TNoticePlace> PlaceNotice(std::span<const TMonitorArea> monitors, TScreenPoint pointer, int width,
                                        int height) {
  const std::optional<TMonitorArea> monitor = MonitorAt(monitors, pointer);
  if (!monitor) return std::nullopt;
  const float scale = ScaleForDpi(monitor->Dpi);
  return TNoticePlace{NoticePosition(monitor->WorkArea, ScaledLength(width, scale), ScaledLength(height, scale), scale),
                      scale};
}

}  // namespace vd
