#pragma once
// The mute button and what the user learns of the microphone: a press toggles the microphones
// in scope, and the state read back is said by the on-screen notice and a sound cue; the tray
// shows the state whatever changed it.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/Microphone.h"
#include "app/win32/CoreAudioMicrophone.h"
#include "app/win32/MonitorTray.h"
#include "app/win32/NoticeWindow.h"
#include "app/win32/SoundCues.h"

namespace vd::win32 {

// The system's microphone: through Core Audio (the source given, or the system's), or the
// legacy mixer before it.
std::unique_ptr<IMicrophone> SystemMicrophone(const TCoreAudioMicrophone::TEnumeratorSource& source);

class TMuteControl {
public:
  using TShowNotice = std::function<void(const std::u16string& text, TVDMonNotice::TIcon icon)>;

  // The microphone's state changes reach the tray through this object.
  TMuteControl(std::unique_ptr<IMicrophone> microphone, TMonitorTray& tray, TShowNotice showNotice);
  TMuteControl(const TMuteControl&) = delete;
  TMuteControl& operator=(const TMuteControl&) = delete;

  // Sets the microphone up and shows its state.
  void Prepare();
  // A press: the toggle, then the cue (unless turned off) and the notice of the state read
  // back, then the tray; nothing is said without a microphone or when its state cannot be
  // read, and no cue sounds for a mute that did not take.
  void Toggle();
  // The tray shows the microphone's state, unless a press is under way (it shows it after);
  // a state that cannot be read leaves what is shown.
  void ShowState();

private:
  // Holds the tray's updates back while it lives.
  class THoldTray {
  public:
    explicit THoldTray(bool& held) : FHeld(held) { FHeld = true; }
    ~THoldTray() { FHeld = false; }
    THoldTray(const THoldTray&) = delete;
    THoldTray& operator=(const THoldTray&) = delete;

  private:
    bool& FHeld;
  };

  void Announce(std::optional<bool> before, bool sounds);

  std::unique_ptr<IMicrophone> FMicrophone;
  TMonitorTray& FTray;
  TShowNotice FShowNotice;
  TSoundCues FCues;
  bool FTrayHeld = false;
};

}  // namespace vd::win32
