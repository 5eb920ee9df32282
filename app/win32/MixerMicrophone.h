#pragma once
// The microphone before Core Audio (before NT 6): the mute control of the microphone line of
// the first legacy mixer device, opened and closed for every read and every write. Its state
// is not followed, so the tray leaves what it shows.

#include "app/Microphone.h"

namespace vd::win32 {

class TMixerMicrophone final : public IMicrophone {
public:
  void Prepare() override {}
  void Toggle() override;
  std::optional<bool> Muted() const override { return std::nullopt; }
  bool HasCaptureDevice() const override { return false; }

  // The mute control of a mixer line (0 speakers, 1 microphone, 2 wave out, 3 synthesizer):
  // false when it cannot be read.
  static bool GetMixerMute(int lineType);
  static void SetMixerMute(int lineType, bool mute);
};

}  // namespace vd::win32
