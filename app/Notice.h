#pragma once
// The on-screen notice's decisions, apart from its window: whether it may show over what owns
// the screen, what it says (through the dictionary, in the active language) and where it goes
// (centred near the bottom of the work area of the monitor that holds the mouse pointer, at
// that monitor's scale).
// Whether the user wants notices at all is a setting (app/MonitorSettings.h).

#include <optional>
#include <span>
#include <string>

#include "scene/paint/Geometry.h"

namespace vd {

// What the shell says of the user's screen (its notification states, by number).
enum class TScreenState {
  NotPresent = 1,
  Busy = 2,
  RunningDirect3DFullScreen = 3,
  PresentationMode = 4,
  AcceptsNotifications = 5,
  QuietTime = 6,
  App = 7,
};
// The notice is topmost, layered, never activated and transparent to the mouse: it may show
// over anything, a borderless full-screen game among them, but an exclusive full-screen
// Direct3D program (which it would disturb) and a presentation.
bool NoticeMayShow(TScreenState state);

// "Profile N" for the profile index 0..4 that is stored as ProfileID: the user counts the
// profiles from 1.
std::u16string ProfileNoticeText(int profileIndex);
// "Microphone muted" or "Microphone on".
std::u16string MicrophoneNoticeText(bool muted);

struct TScreenPoint {
  int X = 0;
  int Y = 0;
  bool operator==(const TScreenPoint&) const = default;
};

struct TMonitorArea {
  TvgPixelRect Bounds;
  TvgPixelRect WorkArea;  // without the task bar and other docked bars
  unsigned Dpi = 96;
};

// The monitor that holds the point, or else the monitor nearest to it; none without monitors.
std::optional<TMonitorArea> MonitorAt(std::span<const TMonitorArea> monitors, TScreenPoint point);

// Units of the notice's form between the notice and the bottom of the work area.
inline constexpr int kNoticeBottomGap = 48;

// The top-left corner of a notice of that size in pixels in the work area at that scale:
// centred across it, its bottom kNoticeBottomGap units above the work area's; kept inside
// the work area.
TScreenPoint NoticePosition(const TvgPixelRect& workArea, int width, int height, float scale = 1);

struct TNoticePlace {
  TScreenPoint At;
  float Scale = 1;
};
// Where a notice of that size in its form's units shows for the pointer: on the monitor that
// MonitorAt finds, at that monitor's scale (its DPI / 96); none without monitors.
std::optional<TNoticePlace> PlaceNotice(std::span<const TMonitorArea> monitors, TScreenPoint pointer, int width,
                                        int height);

}  // namespace vd
