#pragma once
// Microphone mute: each toggle flips the mute state of the microphone. From Windows Vista on
// (NT 6) through the Core Audio endpoint volume of the default capture device; on older
// systems through the mute control of the microphone line of the first legacy mixer. The
// state is read at every toggle, never cached.
//
// The toggle always acts on the device that is the default capture device at that moment,
// not on the one that was default at set-up: after the user switches microphones, toggling
// the old one would leave the new one live while the user believes it muted. Changes of the
// default device and of the device's mute state made elsewhere are reported to the owner on
// the main thread, so that what it shows can follow them.

#include <endpointvolume.h>
#include <mmdeviceapi.h>

#include <functional>
#include <optional>
#include <string>

#include "platform/win32/ComApartment.h"
#include "platform/win32/Handles.h"

namespace vd::win32 {

class TMicrophoneMute {
public:
  // Where the device enumerator comes from: the system's Core Audio, or a stand-in.
  using TEnumeratorSource = std::function<HRESULT(IMMDeviceEnumerator** enumerator)>;

  // Without a source, the system's Core Audio through COM activation.
  explicit TMicrophoneMute(TEnumeratorSource source = {});
  // Unregisters its listeners and ends its COM initialisation; main thread.
  ~TMicrophoneMute();
  // The audio service's listeners hold the object's address.
  TMicrophoneMute(const TMicrophoneMute&) = delete;
  TMicrophoneMute& operator=(const TMicrophoneMute&) = delete;

  // The Core Audio set-up: COM for this thread, the enumerator with a listener for changes of
  // the default device, the endpoint volume of the default capture device (eCapture,
  // eMultimedia) with a listener for its changes. Run again, it follows the device that is
  // default now and keeps what it has otherwise. Failures end it silently; the next run tries
  // again.
  void InitEndpointVolume();
  // Toggles the default capture device as it is now. When its state cannot be read nothing is
  // set; when it cannot be read or set, the next toggle sets up anew. The log says which
  // device and what came of it.
  void MicrophoneMute();
  // Whether the default capture device is muted: false when the last set-up found that there
  // is none; nothing when its state cannot be read, or no set-up has reached it (none yet, no
  // Core Audio, the device refused its endpoint volume). Core Audio only.
  std::optional<bool> Muted() const;
  // Whether the last set-up reached a capture device.
  bool HasCaptureDevice() const { return FEndpoint.Get() != nullptr; }
  // Raised on the main thread when the default capture device's mute state may have changed:
  // a toggle, a change made elsewhere, another default device.
  std::function<void()> OnStateChange;

  // Legacy mixer line types: 0 speakers, 1 microphone, 2 wave out, 3 synthesizer.
  static bool GetMixerMute(int lineType);
  static void SetMixerMute(int lineType, bool mute);

private:
  class TVolumeListener;
  class TDeviceListener;

  // The toggle; answers what came of it, for the log.
  std::u16string Toggle();
  // The device's friendly name, or its identity when it has none.
  std::u16string EndpointName() const;
  void ReleaseEndpoint();
  void ReleaseEnumerator();
  // Main thread, from the listeners.
  void StateChanged();
  void DefaultDeviceChanged();

  TEnumeratorSource FEnumeratorSource;
  std::optional<TComApartment> FCom;  // first: COM ends after everything below is released
  TComPtr<IMMDeviceEnumerator> FMMDevEnum;
  TComPtr<TDeviceListener> FDeviceListener;  // registered with FMMDevEnum
  TComPtr<IMMDevice> FMMDev;
  std::wstring FDeviceId;
  TComPtr<IAudioEndpointVolume> FEndpoint;
  TComPtr<TVolumeListener> FVolumeListener;  // registered with FEndpoint
  bool FEndpointFailed = false;              // its state could not be read: set up anew
  bool FNoCaptureDevice = false;             // the last set-up found that there is none
};

// Whether the system is of the NT family from major version 6 on.
bool HasCoreAudio();

}  // namespace vd::win32
