#pragma once
// Microphone mute: each toggle flips the mute state of the microphone. From Windows Vista on
// (NT 6) through the Core Audio endpoint volume of the default capture device, prepared once
// and kept; on older systems through the mute control of the microphone line of the first
// legacy mixer. The state is read at every toggle, never cached.

#include <endpointvolume.h>
#include <mmdeviceapi.h>

#include "platform/win32/Handles.h"

namespace vd::win32 {

class TMicrophoneMute {
public:
  // The Core Audio set-up: enumerator, default capture endpoint (eCapture, eMultimedia),
  // its endpoint volume and a change callback. Failures end it silently; the fields keep
  // what was reached, and the next toggle tries again while the endpoint volume is missing.
  void InitEndpointVolume();
  void MicrophoneMute();

  // Legacy mixer line types: 0 speakers, 1 microphone, 2 wave out, 3 synthesizer.
  static bool GetMixerMute(int lineType);
  static void SetMixerMute(int lineType, bool mute);

private:
  TComPtr<IMMDeviceEnumerator> FMMDevEnum;
  TComPtr<IMMDevice> FMMDev;
  TComPtr<IAudioEndpointVolume> FEndpoint;
};

// Whether the system is of the NT family from major version 6 on.
bool HasCoreAudio();

}  // namespace vd::win32
