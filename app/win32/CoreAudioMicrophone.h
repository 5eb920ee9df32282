#pragma once
// The microphone through Core Audio (from NT 6 on): the endpoint volumes of the capture
// devices in scope, which the MuteScope setting names: the default capture device (role
// multimedia), and the default communications capture device where it is another one (calls
// talk through it), or every active capture device. The scope is read and the devices are
// found again at every toggle, so a toggle acts on the devices as they are at that moment:
// after the user switches microphones, toggling the old one would leave the new one live
// while the user believes it muted. Changes of a device's mute state made elsewhere, of
// either default device and of the devices present are reported on the main thread, so that
// what the owner shows follows them.

#include <endpointvolume.h>
#include <mmdeviceapi.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/Microphone.h"
#include "app/MonitorSettings.h"
#include "platform/win32/ComApartment.h"
#include "platform/win32/Handles.h"

namespace vd::win32 {

class TCoreAudioMicrophone final : public IMicrophone {
public:
  // Where the device enumerator comes from: the system's Core Audio, or a stand-in.
  using TEnumeratorSource = std::function<HRESULT(IMMDeviceEnumerator** enumerator)>;

  // Without a source, the system's Core Audio through COM activation.
  explicit TCoreAudioMicrophone(TEnumeratorSource source = {});
  // Unregisters its listeners and ends its COM initialisation; main thread.
  ~TCoreAudioMicrophone() override;
  // The audio service's listeners hold the object's address.
  TCoreAudioMicrophone(const TCoreAudioMicrophone&) = delete;
  TCoreAudioMicrophone& operator=(const TCoreAudioMicrophone&) = delete;

  void Prepare() override { InitEndpointVolume(); }
  void Toggle() override;
  // False when the last set-up found no capture device; nothing when a state cannot be read
  // or no set-up has reached a device (none yet, no Core Audio, a device refused its endpoint
  // volume).
  std::optional<bool> Muted() const override;
  // Whether the last set-up reached a capture device.
  bool HasCaptureDevice() const override;

  // The set-up: COM for this thread, the enumerator with a listener for changes of the
  // devices, and the endpoint volume of each device in scope with a listener for its changes.
  // Run again, it follows the devices in scope now and keeps what it has of them otherwise.
  // Failures end it silently; the next run tries again.
  void InitEndpointVolume();

private:
  class TVolumeListener;
  class TDeviceListener;
  struct TEndpoint;

  // The identities of the capture devices in scope, the default one first; `known` turns false
  // when the system could not say whether there are any.
  std::vector<std::wstring> DevicesInScope(TMuteScope scope, bool& known);
  // Binds the endpoint volume of the device, with its listener; none when the device refuses it.
  void Bind(TEndpoint& endpoint);
  void ReleaseEndpoints();
  void ReleaseEnumerator();
  // Main thread, from the listeners.
  void StateChanged();
  void DevicesChanged();

  TEnumeratorSource FEnumeratorSource;
  std::optional<TComApartment> FCom;  // first: COM ends after everything below is released
  TComPtr<IMMDeviceEnumerator> FMMDevEnum;
  TComPtr<TDeviceListener> FDeviceListener;  // registered with FMMDevEnum
  std::vector<TEndpoint> FEndpoints;         // the devices in scope, the default one first
  bool FNoCaptureDevice = false;             // the last set-up found that there is none
};

// Whether the system is of the NT family from major version 6 on.
bool HasCoreAudio();

}  // namespace vd::win32
