#pragma once
// The microphone as the monitor sees it: what a press of the mute button toggles, whether it
// is muted, and word of a change made elsewhere. Several microphones may be in scope (the
// MuteScope setting); the decisions of a toggle over them are made here, the system's back
// ends (Core Audio, the legacy mixer) are in app/win32/.

#include <functional>
#include <optional>
#include <span>

namespace vd {

class IMicrophone {
public:
  virtual ~IMicrophone() = default;

  // Sets up what the toggle and the state need; a set-up that fails is tried again later.
  virtual void Prepare() = 0;
  // Mutes every microphone in scope when any of them is live, and unmutes them all when all
  // are muted.
  virtual void Toggle() = 0;
  // Whether the microphone is muted (every one in scope); nothing when that is not known.
  virtual std::optional<bool> Muted() const = 0;
  // Whether there is a microphone to act on.
  virtual bool HasCaptureDevice() const = 0;

  // Raised on the main thread when the state may have changed: a toggle, a change made
  // elsewhere, another default device.
  std::function<void()> OnStateChange;
};

// The state of the microphones in scope, from each one's state (nothing: it cannot be read):
// muted when every one is muted, live otherwise (one that cannot be read is not counted as
// muted); nothing when no state can be read.
std::optional<bool> MutedInScope(std::span<const std::optional<bool>> states);
// What a toggle sets every one of them to: muted, unless all are muted; nothing when no state
// can be read.
std::optional<bool> ToggleTarget(std::span<const std::optional<bool>> states);

// The mute button's sound cues: only for a change of state that took.
enum class TMuteCue { Muted, Unmuted };
std::optional<TMuteCue> CueAfterToggle(std::optional<bool> before, std::optional<bool> after);

}  // namespace vd
