#pragma once
// The on-screen notice's decisions, apart from its window: whether it may show over what owns
// the screen, what it says (through the dictionary, in the active language) and where it goes
// (centred near the bottom of the work area of the monitor that holds the mouse pointer).
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
};

// The work area of the monitor that holds the point, or else of the monitor nearest to it;
// none without monitors.
std::optional<TvgPixelRect> WorkAreaAt(std::span<const TMonitorArea> monitors, TScreenPoint point);

// Pixels between the notice and the bottom of the work area.
inline constexpr int kNoticeBottomGap = 48;

// The top-left corner of a notice of that size in the work area: centred across it, its
// bottom kNoticeBottomGap above the work area's; kept inside the work area.
TScreenPoint NoticePosition(const TvgPixelRect& workArea, int width, int height);

}  // namespace vd
