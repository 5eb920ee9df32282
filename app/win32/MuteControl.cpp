#include "app/win32/MuteControl.h"

#include "app/MonitorSettings.h"
#include "app/Notice.h"
#include "app/win32/MixerMicrophone.h"

namespace vd::win32 {

std::unique_ptr<IMicrophone> SystemMicrophone(const TCoreAudioMicrophone::TEnumeratorSource& source) {
  if (HasCoreAudio()) return std::make_unique<TCoreAudioMicrophone>(source);
  return std::make_unique<TMixerMicrophone>();
}

TMuteControl::TMuteControl(std::unique_ptr<IMicrophone> microphone, TMonitorTray& tray, TShowNotice showNotice)
    : FMicrophone(std::move(microphone)), FTray(tray), FShowNotice(std::move(showNotice)) {
  FMicrophone->OnStateChange = [this] { ShowState(); };
}

void TMuteControl::Prepare() {
  FMicrophone->Prepare();
  ShowState();
}

void TMuteControl::Toggle() {
  const bool sounds = SoundsEnabled();
  const std::optional<bool> before = FMicrophone->Muted();
  {
    // The cue and the notice come before the tray's icon: the call that hands the shell its
    // icon waits for the shell, which may be busy, and they are what a player in a game has.
    const THoldTray hold(FTrayHeld);
    FMicrophone->Toggle();
  }
  Announce(before, sounds);
  ShowState();
}

void TMuteControl::Announce(std::optional<bool> before, bool sounds) {
  if (!FMicrophone->HasCaptureDevice()) return;
  const std::optional<bool> muted = FMicrophone->Muted();
  if (!muted) return;
  if (const std::optional<TMuteCue> cue = CueAfterToggle(before, muted); cue && sounds) FCues.Play(*cue);
  FShowNotice(MicrophoneNoticeText(*muted),
              *muted ? TVDMonNotice::TIcon::MicrophoneMuted : TVDMonNotice::TIcon::MicrophoneOn);
}

void TMuteControl::ShowState() {
  if (!FTrayHeld) FTray.ShowMicrophone(FMicrophone->Muted());
}

}  // namespace vd::win32
